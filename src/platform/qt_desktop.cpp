#include "platform/qt_desktop.h"

#include "platform/window_placement.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

QMessageBox::StandardButton standardButton(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Retry:
        return QMessageBox::Retry;
    case Answer::Abort:
        return QMessageBox::Abort;
    case Answer::Ignore:
        return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon messageIcon(Icon icon)
{
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Lines joined with CR or CR LF show as line breaks.
QString displayText(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

// Restores the current folder when a dialog ends: files are opened by names
// relative to the program folder.
class KeepCurrentFolder {
public:
    KeepCurrentFolder() : folder_(QDir::currentPath()) {}
    ~KeepCurrentFolder() { QDir::setCurrent(folder_); }
    KeepCurrentFolder(const KeepCurrentFolder &) = delete;
    KeepCurrentFolder &operator=(const KeepCurrentFolder &) = delete;

private:
    QString folder_;
};

} // namespace

QtDesktop::QtDesktop(QWidget *parent) : parent_(parent) {}

Answer QtDesktop::showMessage(const Message &message)
{
    const std::vector<Answer> answers = answersOf(message.buttons);
    QMessageBox::StandardButtons buttons;
    for (const Answer a : answers)
        buttons |= standardButton(a);

    QMessageBox box(messageIcon(message.icon), message.title, displayText(message.text), buttons, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(standardButton(defaultAnswer(message)));
    if (message.systemModal) {
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    box.exec();

    const auto pressed = box.standardButton(box.clickedButton());
    for (const Answer a : answers) {
        if (standardButton(a) == pressed)
            return a;
    }
    // Closed without a button (Escape with no escape button): treat as the
    // box's cancelling answer when it has one.
    for (const Answer a : {Answer::Cancel, Answer::No, Answer::Ignore}) {
        if (std::find(answers.begin(), answers.end(), a) != answers.end())
            return a;
    }
    return defaultAnswer(message);
}

std::optional<QString> QtDesktop::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(parent_);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title.isEmpty() ? defaultTitle() : title);
    dialog.setLabelText(displayText(prompt));
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void QtDesktop::beep()
{
    QApplication::beep();
}

std::optional<QString> QtDesktop::fileDialog(const FileDialogSpec &spec, bool save)
{
    const KeepCurrentFolder keep;
    QFileDialog dialog(parent_, spec.title, spec.folder.isEmpty() ? QDir::currentPath() : spec.folder);
    const QStringList filters = toQtFilters(spec.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index = spec.filterIndex >= 1 && spec.filterIndex <= filters.size() ? spec.filterIndex - 1 : 0;
        dialog.selectNameFilter(filters[index]);
    }
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // A name typed without an extension gets the first one of the filter.
        const QString first = spec.filter.section(u'|', 1, 1).section(u';', 0, 0).trimmed();
        if (first.startsWith(u"*."_s) && first.indexOf(u'*', 1) < 0 && !first.contains(u'?'))
            dialog.setDefaultSuffix(first.mid(2));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!spec.fileName.isEmpty())
        dialog.selectFile(spec.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDesktop::openFile(const FileDialogSpec &spec)
{
    return fileDialog(spec, false);
}

std::optional<QString> QtDesktop::saveFile(const FileDialogSpec &spec)
{
    return fileDialog(spec, true);
}

std::optional<std::int32_t> QtDesktop::chooseColor(std::int32_t initialBgr)
{
    const KeepCurrentFolder keep;
    const QColor chosen = QColorDialog::getColor(bgrToColor(initialBgr), parent_);
    if (!chosen.isValid())
        return std::nullopt;
    return colorToBgr(chosen);
}

bool QtDesktop::startCommand(const QString &program, const QStringList &arguments)
{
    if (program.trimmed().isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

QString QtDesktop::clipboardText() const
{
    return QGuiApplication::clipboard()->text();
}

void QtDesktop::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

std::unique_ptr<QPrinter> QtDesktop::beginPrint(const QString &documentName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(documentName);
    QPrintDialog dialog(printer.get(), parent_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

} // namespace platform
