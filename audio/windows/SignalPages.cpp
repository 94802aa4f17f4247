#include "audio/windows/SignalPages.h"

#include <QCoreApplication>
#include <QListWidget>

#include "audio/CAudioSignal.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_STRING_TABLE({
    {34154, "Hier erfolgt später das Ändern der Signalparameter für Signal : ' %s ' !"},
});

namespace signalpages {

void FillGenerators(QListWidget* list, uint32_t kindId)
{
    list->clear();
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc)
        return;
    for (CBaseDevice* obj : doc->GetList(CAT_AUDIO)) {
        if (obj->GetKindId() != kindId)
            continue;
        auto* item = new QListWidgetItem(QString::fromStdString(obj->GetName()), list);
        item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(obj)));
    }
}

CBaseDevice* SelectedObject(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? reinterpret_cast<CBaseDevice*>(item->data(Qt::UserRole).value<quintptr>())
                                      : nullptr;
}

void SelectByName(QListWidget* list, const QString& name)
{
    list->clearSelection();
    list->setCurrentRow(-1);
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == name) {
            list->setCurrentRow(i);
            return;
        }
    }
}

CBaseDevice* Generator(const CAudioSignal* signal, uint32_t type)
{
    if (!signal)
        return nullptr;
    for (const LinkRecord* rec : signal->m_inLinks)
        if (rec->HasPartner() && rec->partner->GetType() == type)
            return rec->partner;
    return nullptr;
}

void ShowChangeNotice(const QListWidget* list)
{
    const CBaseDevice* generator = SelectedObject(list);
    const std::string name = generator ? generator->GetName() : std::string();
    ShowMessage(StrFormat(LoadStringId(34154).c_str(), name.c_str()), mb::Ok);
}

}  // namespace signalpages
