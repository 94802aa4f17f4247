#include "shell/MessageBoxHandler.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QStringList>

namespace {
// A message ends a sentence with " !": the mark stays with its last word
// when the box wraps the line.
QString KeepMarksWithTheirWords(QString text)
{
    static const QRegularExpression trailingMark(QStringLiteral(" (!+[\"']?)(?=\n|$)"));
    return text.replace(trailingMark, QString(QChar(0x00A0)) + QStringLiteral("\\1"));
}

// The cells of a line with tabs. A run of tabs is one column stop (a text
// pads a short cell with more tabs to reach the stop a longer one reaches
// with fewer); a line that starts with tabs and a cell of blanks leave their
// cell empty, so that the next cell stays in its column.
QStringList TabbedCells(const QString& line)
{
    QStringList cells;
    QString cell;
    bool inRun = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('\t')) {
            if (!inRun)
                cells << cell.trimmed();
            cell.clear();
            inRun = true;
        } else {
            cell += c;
            inRun = false;
        }
    }
    if (!inRun)
        cells << cell.trimmed();
    return cells;
}

// Tabs in a message stand for column stops. Whatever number of tabs a text
// uses, a proportional font puts the next column of each line at another
// place, so lines with tabs are shown as one table whose columns line up in
// the box's font and in either language. Other lines keep their breaks and
// wrap at the box's width like the lines of any message.
QString TabbedLinesAsTable(const QString& text, int columnGap)
{
    QString html;
    QStringList paragraph;
    bool inTable = false;
    auto endParagraph = [&] {
        if (!paragraph.isEmpty())
            html += QStringLiteral("<p style=\"margin:0; white-space:pre-wrap\">") +
                    paragraph.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
        paragraph.clear();
    };
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const bool tabbed = line.contains(QLatin1Char('\t'));
        if (tabbed && !inTable) {
            endParagraph();
            html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\">");
        } else if (!tabbed && inTable) {
            html += QStringLiteral("</table>");
        }
        inTable = tabbed;
        if (!tabbed) {
            paragraph << line.toHtmlEscaped();
            continue;
        }
        html += QStringLiteral("<tr>");
        for (const QString& cell : TabbedCells(line))
            html += QStringLiteral("<td style=\"white-space:pre; padding-right:%1px\">").arg(columnGap) +
                    cell.toHtmlEscaped() + QStringLiteral("</td>");
        html += QStringLiteral("</tr>");
    }
    if (inTable)
        html += QStringLiteral("</table>");
    endParagraph();
    return html;
}
}  // namespace

std::unique_ptr<QMessageBox> CreateMessageBox(const std::string& text, uint32_t type, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QStringLiteral("QUILLOMER"));
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown = KeepMarksWithTheirWords(shown);
    if (shown.contains(QLatin1Char('\t'))) {
        box->setTextFormat(Qt::RichText);
        box->setText(TabbedLinesAsTable(shown, 3 * box->fontMetrics().averageCharWidth()));
    } else {
        box->setText(shown);
        box->setTextFormat(Qt::PlainText);
    }
    if (const std::string& detail = CurrentMessageDetail(); !detail.empty())
        box->setDetailedText(QString::fromStdString(detail));

    QList<QMessageBox::StandardButton> buttons;
    switch (type & 0xF) {
    case mb::OkCancel: buttons = {QMessageBox::Ok, QMessageBox::Cancel}; break;
    case mb::AbortRetryIgnore: buttons = {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore}; break;
    case mb::YesNoCancel: buttons = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
    case mb::YesNo: buttons = {QMessageBox::Yes, QMessageBox::No}; break;
    case mb::RetryCancel: buttons = {QMessageBox::Retry, QMessageBox::Cancel}; break;
    default: buttons = {QMessageBox::Ok}; break;
    }
    QMessageBox::StandardButtons set;
    for (auto b : buttons)
        set |= b;
    box->setStandardButtons(set);
    const int def = static_cast<int>((type >> 8) & 0xF);
    box->setDefaultButton(buttons.value(def < buttons.size() ? def : 0));
    // Escape answers Cancel where there is one, else the only button.
    if (set & QMessageBox::Cancel)
        box->setEscapeButton(QMessageBox::Cancel);
    else if (buttons.size() == 1)
        box->setEscapeButton(buttons.front());
    else if (set & QMessageBox::No)
        box->setEscapeButton(QMessageBox::No);

    switch (type & 0xF0) {
    case mb::IconStop: box->setIcon(QMessageBox::Critical); break;
    case mb::IconQuestion: box->setIcon(QMessageBox::Question); break;
    case mb::IconExclamation: box->setIcon(QMessageBox::Warning); break;
    case mb::IconInformation: box->setIcon(QMessageBox::Information); break;
    default: box->setIcon(QMessageBox::NoIcon); break;
    }
    return box;
}

int AnswerOfButton(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return mb::IdOk;
    case QMessageBox::Cancel: return mb::IdCancel;
    case QMessageBox::Abort: return mb::IdAbort;
    case QMessageBox::Retry: return mb::IdRetry;
    case QMessageBox::Ignore: return mb::IdIgnore;
    case QMessageBox::Yes: return mb::IdYes;
    case QMessageBox::No: return mb::IdNo;
    default: return mb::IdCancel;
    }
}

void InstallMessageBoxHandler()
{
    SetMessageHandler([](const std::string& text, uint32_t type) {
        QWidget* parent = QApplication::activeModalWidget();
        if (!parent)
            parent = QApplication::activeWindow();
        // The box is a child of the window it stands over. That window may
        // go while the box is read (a timer of its own, the line lost, a
        // project closed): the box goes with it, and answers as Escape would.
        QPointer<QMessageBox> box = CreateMessageBox(text, type, parent).release();
        const int escape = AnswerOfButton(box->standardButton(box->escapeButton()));
        box->exec();
        if (!box)
            return escape;
        const std::unique_ptr<QMessageBox> owned(box.data());
        auto* clicked = box->clickedButton();
        return clicked ? AnswerOfButton(box->standardButton(clicked)) : escape;
    });
}
