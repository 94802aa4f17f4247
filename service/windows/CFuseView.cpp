#include "service/windows/CFuseView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <optional>

#include "comm/CCommLink.h"
#include "hardware/CAudioInputSlot.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "platform/FiniteNumber.h"
#include "service/CFuse.h"
#include "service/windows/ServiceLive.h"
#include "ui/CFeatureFrm.h"
#include "ui/CTransferLoop.h"

namespace {
// The rows' protocol names under "/FUSE/", in the fields' order.
const char* const kRowKeys[CFuseView::kRows] = {"SLOT1/A", "SLOT1/B", "SLOT2/A", "SLOT2/B", "AMP485"};

int RowOfKey(const std::string& key, const char* leaf)
{
    for (int r = 0; r < CFuseView::kRows; ++r)
        if (key == std::string(kRowKeys[r]) + "/" + leaf)
            return r;
    return -1;
}
}  // namespace

CFuseView::CFuseView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("297"));
    auto* outer = new QVBoxLayout(this);
    auto addGroup = [&](const QString& title, std::initializer_list<int> rows) {
        auto* group = new QGroupBox(title, this);
        auto* grid = new QGridLayout(group);
        int line = 0;
        for (int r : rows) {
            if (r < 4)
                grid->addWidget(new QLabel(r % 2 == 0 ? QStringLiteral("A") : QStringLiteral("B"), group), line, 0);
            auto* steps = new QComboBox(group);
            steps->setObjectName(QStringLiteral("FuseStep%1").arg(r));
            steps->addItems({QStringLiteral("0"), QStringLiteral("330"), QStringLiteral("660"), QStringLiteral("990")});
            grid->addWidget(steps, line, 1);
            grid->addWidget(new QLabel(QStringLiteral("mA"), group), line, 2);
            auto* tripped = new QLabel(tr("Überlast!"), group);
            tripped->setEnabled(false);
            grid->addWidget(tripped, line, 3);
            auto* cooling = new QLabel(tr("Kühlphase!"), group);
            cooling->setEnabled(false);
            grid->addWidget(cooling, line, 4);
            m_steps[static_cast<size_t>(r)] = steps;
            m_tripped[static_cast<size_t>(r)] = tripped;
            m_cooling[static_cast<size_t>(r)] = cooling;
            connect(steps, &QComboBox::activated, this, [this, r](int index) {
                if (m_fuse && index >= CFuse::kMinStep && index <= CFuse::kMaxStep)
                    m_fuse->SetStep(r, index);
            });
            ++line;
        }
        grid->setColumnStretch(5, 1);
        outer->addWidget(group);
    };
    addGroup(QStringLiteral("Slot 1"), {0, 1});
    addGroup(QStringLiteral("Slot 2"), {2, 3});
    addGroup(tr("Remote"), {4});
    outer->addStretch(1);
    m_timer.setInterval(2000);
    connect(&m_timer, &QTimer::timeout, this, &CFuseView::Poll);
}

CFuseView::~CFuseView()
{
    m_timer.stop();
    servicelive::ReleaseLink(this);
}

void CFuseView::OnInitialUpdate()
{
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc)
        return;
    m_fuse = dynamic_cast<CFuse*>(doc->GetIDManager().GetBaseDevice(1, OT_FUSE));
    if (m_fuse)
        for (int r = 0; r < kRows; ++r)
            m_steps[static_cast<size_t>(r)]->setCurrentIndex(m_fuse->m_steps[r]);
    // A fuse of an input slot protects a console module only.
    for (int slot = 1; slot <= 2; ++slot) {
        const auto* input = dynamic_cast<CAudioInputSlot*>(doc->GetIDManager().GetBaseDevice(slot, OT_AUDIO_INPUT_SLOT));
        if (!input)
            continue;
        for (int channel = 0; channel < 2; ++channel)
            m_steps[static_cast<size_t>((slot - 1) * 2 + channel)]->setEnabled(input->GetChannelKind(channel) ==
                                                                                 ICK_CONSOLE);
    }
    if (IsDocConnected())
        m_timer.start();
}

void CFuseView::Poll()
{
    // The line is gone: no fuse is shown tripped or cooling on its last
    // answer, and transfers are offered no longer.
    if (!IsDocConnected()) {
        m_timer.stop();
        for (int r = 0; r < kRows; ++r) {
            m_tripped[static_cast<size_t>(r)]->setEnabled(false);
            m_cooling[static_cast<size_t>(r)]->setEnabled(false);
        }
        emit LinkLost();
        return;
    }
    // The window's own upload or download owns the line meanwhile (its lines
    // are the ones the transfer counts the device's echoes of), and so does
    // any other transfer: asked again on the next tick.
    const CFeatureFrm* frame = CFeatureFrm::FrameOf(this);
    if (servicelive::OutBufferCount() != 0 || TransferHoldsLink() || (frame && frame->IsTransferring()))
        return;
    std::vector<std::string> lines;
    for (const char* key : kRowKeys) {
        lines.push_back(std::string("/FUSE/") + key + "/BLOWN ?");
        lines.push_back(std::string("/FUSE/") + key + "/COOLING ?");
    }
    servicelive::SendBlock(lines, this);
}

void CFuseView::Transfer(bool upload)
{
    std::vector<std::string> lines;
    for (int r = 0; r < kRows; ++r) {
        const std::string item = std::string("/FUSE/") + kRowKeys[r] + "/VALUE";
        lines.push_back(upload ? item + " ?" : item + " " + std::to_string(m_fuse ? m_fuse->m_steps[r] : 0));
    }
    // The frame runs it, so that a device that stops answering or reading
    // part of the way is named.
    if (CFeatureFrm* frame = CFeatureFrm::FrameOf(this)) {
        m_uploading = upload;
        frame->TransferBlocks(upload ? 1 : 0, {lines}, this, upload);
        m_uploading = false;
    }
}

void CFuseView::OnLinkAnswer(intptr_t, std::vector<std::string>& answers)
{
    if (m_uploading && m_fuse) {
        // The window's upload reads as the whole upload does; the state
        // polls wait while it runs.
        CTransferLoop::ReadUploadAnswers(m_fuse, answers);
        for (int r = 0; r < kRows; ++r)
            m_steps[static_cast<size_t>(r)]->setCurrentIndex(m_fuse->m_steps[r]);
        return;
    }
    for (const std::string& line : answers) {
        std::string key;
        std::string value;
        if (!servicelive::SplitAnswer(line, "/FUSE/", &key, &value))
            continue;
        if (const int r = RowOfKey(key, "VALUE"); r >= 0) {
            // Only the four steps the lists offer are taken, each a whole
            // number standing alone: "2.5" or "1,5" is no step 2 or 1.
            if (const std::optional<long> step = ScanWholeNumber(value, CFuse::kMinStep, CFuse::kMaxStep)) {
                if (m_fuse)
                    m_fuse->SetStep(r, static_cast<int>(*step));
                m_steps[static_cast<size_t>(r)]->setCurrentIndex(static_cast<int>(*step));
            }
        } else if (const int b = RowOfKey(key, "BLOWN"); b >= 0) {
            m_tripped[static_cast<size_t>(b)]->setEnabled(value == "YES");
        } else if (const int c = RowOfKey(key, "COOLING"); c >= 0) {
            m_cooling[static_cast<size_t>(c)]->setEnabled(value == "YES");
        }
    }
    answers.clear();
}
