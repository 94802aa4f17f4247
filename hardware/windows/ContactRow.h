#pragma once
// One row of the card dialogs: a check box that switches a connector's name
// edit on (with a default name, selected) and off (emptied, disabled).

#include <QCheckBox>
#include <QLineEdit>
#include <QObject>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "model/CBaseDevice.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

struct ContactRow {
    QCheckBox* check = nullptr;
    QLineEdit* edit = nullptr;

    // Makes the two controls, shows `name` (checked when not empty) and
    // wires the check box; `defaultName` is what switching on writes.
    void Make(QWidget* parent, const QString& label, int checkId, int editId, const std::string& name,
              const QString& defaultName)
    {
        check = new QCheckBox(label, parent);
        check->setObjectName(QString::number(checkId));
        edit = new QLineEdit(parent);
        edit->setObjectName(QString::number(editId));
        edit->setText(QString::fromStdString(name));
        const bool on = !name.empty();
        check->setChecked(on);
        edit->setEnabled(on);
        QLineEdit* e = edit;
        QObject::connect(check, &QCheckBox::toggled, parent, [e, defaultName](bool checked) {
            if (checked) {
                e->setText(defaultName);
                e->setEnabled(true);
                e->setFocus();
                e->selectAll();
            } else {
                e->clear();
                e->setEnabled(false);
            }
        });
    }

    std::string Name() const { return edit->text().toStdString(); }

    // Blanks alone, or a control character, are no name: an emptied row
    // removes its contact, but such a text is refused as a name, with the
    // message the name setters give; the focus goes to the row to be put
    // right.
    bool RefusesName() const
    {
        const std::string name = Name();
        if (name.empty())
            return false;
        const std::string refusal = CBaseDevice::NameRefusal(name);
        if (refusal.empty())
            return false;
        ShowMessage(refusal, mb::Ok | mb::IconStop);
        edit->setFocus();
        edit->selectAll();
        return true;
    }

    // A card dialog's rows, inputs before outputs: the first one whose text
    // is no name refuses it.
    template <size_t N>
    static bool RefuseNoNames(const ContactRow (&inputs)[N], const ContactRow (&outputs)[N])
    {
        for (const ContactRow* rows : {inputs, outputs})
            for (size_t i = 0; i < N; ++i)
                if (rows[i].RefusesName())
                    return true;
        return false;
    }
};
