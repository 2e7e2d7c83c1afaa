#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;

namespace platform {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Icon { None, Information, Warning, Critical, Question };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// A message box. Lines of a multi-line text are joined with "\r" or "\r\n"
// as the caller builds them; the box shows either as a line break.
struct Message {
    QString text;
    QString title;                 // empty: the program's title
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 0;         // 0 first button, 1 second, 2 third
    bool systemModal = false;      // kept above every window
};

// The buttons of a set, in the order they are shown.
std::vector<Answer> answersOf(Buttons buttons);
// The answer of the message's default button (the first one when the index
// is out of range).
Answer defaultAnswer(const Message &message);

// A file dialog. The filter is written "説明|*.dat;*.cdt|説明2|*.bup".
struct FileDialogSpec {
    QString title;
    QString folder;     // starting folder; empty: the current folder
    QString filter;
    int filterIndex = 1;  // 1-based, which filter pair is chosen first
    QString fileName;   // proposed file name (may include a folder)
};

// "説明|*.dat;*.cdt|..." as a Qt name filter list "説明 (*.dat *.cdt)".
QStringList toQtFilters(const QString &filter);

// Everything the program asks of the desktop: dialogs, beep, starting
// programs, clipboard, printing. One real implementation and one scripted.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Shows a modal message box and returns the button pressed. An empty
    // title becomes defaultTitle().
    Answer message(const Message &message);
    Answer message(const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                   const QString &title = {}, int defaultButton = 0);

    // An input box; nullopt when cancelled. Callers treat an empty text like
    // Cancel, as the classic input box returns "" then.
    virtual std::optional<QString> input(const QString &prompt, const QString &title,
                                         const QString &defaultText = {}) = 0;

    virtual void beep() = 0;

    // File dialogs; the chosen path, or nullopt when cancelled. The current
    // folder is the same after the dialog as before it.
    virtual std::optional<QString> openFile(const FileDialogSpec &spec) = 0;
    virtual std::optional<QString> saveFile(const FileDialogSpec &spec) = 0;

    // The colour dialog with colour numbers &HBBGGRR; nullopt when cancelled.
    virtual std::optional<std::int32_t> chooseColor(std::int32_t initialBgr) = 0;

    // Starts a program detached (the browser with a page); false when it
    // cannot be started.
    virtual bool startCommand(const QString &program, const QStringList &arguments) = 0;

    virtual QString clipboardText() const = 0;
    virtual void setClipboardText(const QString &text) = 0;

    // A printer for one document, ready for QPainter::begin; nullptr when the
    // user cancels or no printer can be used. The document is printed when
    // the painter ends; QPrinter::abort() discards it.
    virtual std::unique_ptr<QPrinter> beginPrint(const QString &documentName) = 0;

    // The title of a message box given no title of its own.
    QString defaultTitle() const { return defaultTitle_; }
    void setDefaultTitle(const QString &title) { defaultTitle_ = title; }

protected:
    virtual Answer showMessage(const Message &message) = 0;

private:
    QString defaultTitle_ = QStringLiteral("Pinora32");
};

} // namespace platform
