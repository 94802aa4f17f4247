#pragma once
// The amplifier properties dialog ("Verstärker Eigenschaften"): a tree of
// all amplifiers of the document and, for the selected one, its model, its
// bus address (remote models only) and which audio output feeds each of its
// channels. Changes take effect with "Übernehmen" or OK.

#include <cstdint>
#include <vector>

#include "ui/CResizableDialog.h"

class CAmplifier;
class CAudioOutputSlot;
class CQuillomerDoc;
class CResizableButton;
class CResizableComboBox;
class CResizableStatic;
class CTreeCtrlEx;
class QGroupBox;
class QTreeWidgetItem;

// One selectable audio output: an output card and the index of its output.
struct AmpOutputEntry {
    CAudioOutputSlot* slot = nullptr;
    int32_t output = 0;
};

class CAmpPropDlg : public CResizableDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 139;
    static constexpr int kImageRole = Qt::UserRole + 1;  // the tree item's image index
    static constexpr int kNotUsed = 32788;               // "Nicht benutzt" (item data of the last entry)

    CAmpPropDlg(CAmplifier* amp, QWidget* parent = nullptr);

    // Shows the edited amplifier's values as if it had `model`.
    void ShowAmplifier(uint32_t model);
    // Takes the shown values into the edited amplifier.
    void Apply();

    CAmplifier* GetAmplifier() const { return m_amp; }
    const std::vector<AmpOutputEntry>& GetOutputEntries() const { return m_entries; }
    int GetRememberedSelection(int channel) const { return m_selected[channel]; }
    bool IsApplyEnabled() const;

    // How the bus address is chosen ("Adr." button; the selection dialog in its
    // address mode unless a test installs another); true with `address` set on OK.
    using AddressChooser = bool (*)(QWidget* parent, CAmplifier* amp, int& address);
    static AddressChooser SetAddressChooser(AddressChooser fn);

    // Runs the dialog for an amplifier (the amplifier's properties command).
    static bool Run(CAmplifier* amp);

protected:
    bool OnInitDialog() override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void FillControls();
    QTreeWidgetItem* ItemOf(const CAmplifier* amp) const;
    void OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OnItemDoubleClicked(QTreeWidgetItem* item);
    void OnApply();
    void OnOk();
    void OnAddress();
    void OnSpareAmps();
    void OnExtended();
    void EnableApply(bool on);
    void SetImage(QTreeWidgetItem* item, int image);
    QIcon ImageIcon(int image) const;
    CQuillomerDoc* Document() const;

    CAmplifier* m_amp = nullptr;
    std::vector<AmpOutputEntry> m_entries;
    int m_selected[4] = {-1, -1, -1, -1};
    bool m_switching = false;

    CTreeCtrlEx* m_tree = nullptr;                  // 1003
    QTreeWidgetItem* m_root = nullptr;
    QGroupBox* m_group = nullptr;                   // 1015
    CResizableStatic* m_modelLabel = nullptr;       // 1216
    CResizableComboBox* m_model = nullptr;          // 1043
    CResizableButton* m_address = nullptr;          // 1547
    CResizableStatic* m_channelLabel[4] = {};       // 1011..1014
    CResizableComboBox* m_channel[4] = {};          // 1044..1047
    CResizableStatic* m_power[4] = {};              // 1250..1253
    CResizableButton* m_spare = nullptr;            // 1508
    CResizableButton* m_extended = nullptr;         // 1507
    CResizableButton* m_ok = nullptr;               // 1
    CResizableButton* m_cancel = nullptr;           // 2
    CResizableButton* m_apply = nullptr;            // 12321
};
