#pragma once
// The macro window ("Eigenschaften von Makros", window kind 7): the macros of
// the project on the left, the editor view of the selected macro's type on the
// right, the edit-window switch bar and the macro commands (new, delete,
// upload, download, run).

#include <QPointer>

#include <cstdint>
#include <functional>

#include "ui/CFeatureFrm.h"

class CMacro;
class CMacroDlgListView;
class CMacroEditorView;
class QSplitter;

// Commands of the macro window.
namespace macrocmd {
enum : unsigned {
    New = 33143,       // "Makro erzeugen"
    Delete = 33144,    // "Makro löschen"
    Download = 32916,  // "Makro downloaden"
    Upload = 32917,    // "Makro uploaden"
    Run = 32918,       // "Makro ausführen"
    DownloadOne = 33179,  // context menu "Download"
    UploadOne = 33180,    // context menu "Upload"
};
}

class CMacroDlgFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 7;
    static constexpr unsigned kCommandBarId = 132;
    static constexpr int kDefaultListWidth = 290;

    explicit CMacroDlgFrm(QWidget* parent = nullptr);

    CMacroDlgListView* GetListView() const { return m_list; }
    // The editor view in the right pane.
    CMacroEditorView* GetEditorView() const;
    // The macro selected in the list, null when none.
    CMacro* GetCurrentMacro() const;

    // Replaces the editor view by the one of the selected macro's type.
    void SwitchMacroView();
    // Refills the list (keeping its selection), then switches the editor view.
    void RefreshMacroList();
    // The same, after a view changed its macro's name or type.
    void RefreshCurrentMacro() { RefreshMacroList(); }
    // Enables "Makro erzeugen" below the macro limit and "Makro löschen"
    // while a macro exists.
    void ApplyButtonRule();
    // The delete button follows every refill the device's answers bring.
    void UpdateDeleteButton();

    // The editor view of a macro type (the empty view for any other type).
    using ViewFactory = std::function<CMacroEditorView*(QWidget* parent)>;
    static ViewFactory ViewOfType(uint32_t type);

protected:
    bool OnFrameCommand(unsigned commandId) override;
    void showEvent(QShowEvent* event) override;

private:
    // Keeps the list at least as wide as its columns need.
    void KeepColumnsInView();

    QSplitter* m_splitter = nullptr;
    int m_listWidth = kDefaultListWidth;  // the list's share when the window first shows
    bool m_shownOnce = false;
    CMacroDlgListView* m_list = nullptr;
    QPointer<CMacroEditorView> m_editor;
};
