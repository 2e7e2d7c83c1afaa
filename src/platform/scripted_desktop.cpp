#include "platform/scripted_desktop.h"

#include <QPrinter>

#include <algorithm>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

template <typename T>
std::optional<T> takeFront(std::deque<T> &queue)
{
    if (queue.empty())
        return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

Answer ScriptedDesktop::showMessage(const Message &message)
{
    if (const std::optional<Answer> scripted = takeFront(answers_)) {
        const std::vector<Answer> answers = answersOf(message.buttons);
        if (std::find(answers.begin(), answers.end(), *scripted) == answers.end())
            throw std::logic_error("scripted answer not offered by the box: " + message.text.toStdString());
        messages_.push_back({message, *scripted, true});
        return *scripted;
    }
    const Answer answer = defaultAnswer(message);
    messages_.push_back({message, answer, false});
    return answer;
}

std::optional<QString> ScriptedDesktop::input(const QString &prompt, const QString &title,
                                              const QString &defaultText)
{
    std::optional<QString> answer = defaultText;
    if (std::optional<std::optional<QString>> scripted = takeFront(inputs_))
        answer = std::move(*scripted);
    shownInputs_.push_back({prompt, title.isEmpty() ? defaultTitle() : title, defaultText, answer});
    return answer;
}

std::optional<QString> ScriptedDesktop::fileDialog(const FileDialogSpec &spec, bool save)
{
    std::optional<QString> answer;
    if (std::optional<std::optional<QString>> scripted = takeFront(files_))
        answer = std::move(*scripted);
    fileDialogs_.push_back({spec, save, answer});
    return answer;
}

std::optional<QString> ScriptedDesktop::openFile(const FileDialogSpec &spec)
{
    return fileDialog(spec, false);
}

std::optional<QString> ScriptedDesktop::saveFile(const FileDialogSpec &spec)
{
    return fileDialog(spec, true);
}

std::optional<std::int32_t> ScriptedDesktop::chooseColor(std::int32_t initialBgr)
{
    colorDialogs_.push_back(initialBgr);
    if (std::optional<std::optional<std::int32_t>> scripted = takeFront(colors_))
        return *scripted;
    return std::nullopt;
}

bool ScriptedDesktop::startCommand(const QString &program, const QStringList &arguments)
{
    commands_.push_back({program, arguments});
    return commandsStart_;
}

std::unique_ptr<QPrinter> ScriptedDesktop::beginPrint(const QString &documentName)
{
    printedDocuments_.append(documentName);
    const std::optional<std::optional<QString>> scripted = takeFront(prints_);
    if (!scripted || !*scripted)
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(**scripted);
    printer->setDocName(documentName);
    return printer;
}

QString ScriptedDesktop::lastMessageText() const
{
    return messages_.empty() ? QString() : messages_.back().message.text;
}

bool ScriptedDesktop::scriptUsed() const
{
    return answers_.empty() && inputs_.empty() && files_.empty() && colors_.empty() && prints_.empty();
}

void ScriptedDesktop::clearRecords()
{
    messages_.clear();
    shownInputs_.clear();
    fileDialogs_.clear();
    colorDialogs_.clear();
    commands_.clear();
    printedDocuments_.clear();
    beeps_ = 0;
}

} // namespace platform
