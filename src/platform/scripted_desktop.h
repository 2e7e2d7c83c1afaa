#pragma once

#include "platform/desktop.h"

#include <deque>
#include <vector>

namespace platform {

// The desktop of the tests: answers come from queues filled beforehand and
// everything shown is recorded. A dialog without a scripted answer never
// blocks: a message box gets its default button, an input box its default
// text (OK), a file, colour or print dialog is cancelled.
class ScriptedDesktop final : public Desktop {
public:
    struct ShownMessage {
        Message message;  // with the title as shown
        Answer answer;
        bool scripted;
    };
    struct ShownInput {
        QString prompt;
        QString title;
        QString defaultText;
        std::optional<QString> answer;
    };
    struct ShownFileDialog {
        FileDialogSpec spec;
        bool save;
        std::optional<QString> answer;
    };
    struct StartedCommand {
        QString program;
        QStringList arguments;
    };

    // Scripting. A scripted answer that the box's buttons cannot give throws
    // std::logic_error when the box is shown.
    void answerNext(Answer answer) { answers_.push_back(answer); }
    void inputNext(std::optional<QString> text) { inputs_.push_back(std::move(text)); }
    void fileNext(std::optional<QString> path) { files_.push_back(std::move(path)); }
    void colorNext(std::optional<std::int32_t> bgr) { colors_.push_back(bgr); }
    // The next beginPrint writes a PDF to this file (nullopt: cancelled).
    void printNext(std::optional<QString> pdfFile) { prints_.push_back(std::move(pdfFile)); }
    // Whether startCommand succeeds (default true).
    void setCommandsStart(bool start) { commandsStart_ = start; }

    // Records.
    const std::vector<ShownMessage> &messages() const { return messages_; }
    const std::vector<ShownInput> &inputs() const { return shownInputs_; }
    const std::vector<ShownFileDialog> &fileDialogs() const { return fileDialogs_; }
    const std::vector<std::int32_t> &colorDialogs() const { return colorDialogs_; }
    const std::vector<StartedCommand> &commands() const { return commands_; }
    // Document names of every beginPrint, printed or cancelled.
    const QStringList &printRequests() const { return printedDocuments_; }
    int beeps() const { return beeps_; }
    // Text of the last message box, empty when none was shown.
    QString lastMessageText() const;
    // True when every scripted answer has been used.
    bool scriptUsed() const;
    void clearRecords();

    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText = {}) override;
    void beep() override { ++beeps_; }
    std::optional<QString> openFile(const FileDialogSpec &spec) override;
    std::optional<QString> saveFile(const FileDialogSpec &spec) override;
    std::optional<std::int32_t> chooseColor(std::int32_t initialBgr) override;
    bool startCommand(const QString &program, const QStringList &arguments) override;
    QString clipboardText() const override { return clipboard_; }
    void setClipboardText(const QString &text) override { clipboard_ = text; }
    std::unique_ptr<QPrinter> beginPrint(const QString &documentName) override;

protected:
    Answer showMessage(const Message &message) override;

private:
    std::optional<QString> fileDialog(const FileDialogSpec &spec, bool save);

    std::deque<Answer> answers_;
    std::deque<std::optional<QString>> inputs_;
    std::deque<std::optional<QString>> files_;
    std::deque<std::optional<std::int32_t>> colors_;
    std::deque<std::optional<QString>> prints_;
    bool commandsStart_ = true;

    std::vector<ShownMessage> messages_;
    std::vector<ShownInput> shownInputs_;
    std::vector<ShownFileDialog> fileDialogs_;
    std::vector<std::int32_t> colorDialogs_;
    std::vector<StartedCommand> commands_;
    QStringList printedDocuments_;
    int beeps_ = 0;
    QString clipboard_;
};

} // namespace platform
