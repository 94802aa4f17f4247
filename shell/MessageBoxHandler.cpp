#include "shell/MessageBoxHandler.h"

#include "platform/MessageBox.h"

#include <QApplication>

std::unique_ptr<QMessageBox> CreateMessageBox(const std::string& text, uint32_t type, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QStringLiteral("QUILLOMER"));
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setText(shown);
    box->setTextFormat(Qt::PlainText);
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
        auto box = CreateMessageBox(text, type, parent);
        box->exec();
        auto* clicked = box->clickedButton();
        const auto button = clicked ? box->standardButton(clicked) : box->standardButton(box->escapeButton());
        return AnswerOfButton(button);
    });
}
