#include "platform/desktop.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace platform {

std::vector<Answer> answersOf(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return {Answer::Ok};
    case Buttons::OkCancel:
        return {Answer::Ok, Answer::Cancel};
    case Buttons::YesNo:
        return {Answer::Yes, Answer::No};
    case Buttons::YesNoCancel:
        return {Answer::Yes, Answer::No, Answer::Cancel};
    case Buttons::RetryCancel:
        return {Answer::Retry, Answer::Cancel};
    case Buttons::AbortRetryIgnore:
        return {Answer::Abort, Answer::Retry, Answer::Ignore};
    }
    return {Answer::Ok};
}

Answer defaultAnswer(const Message &message)
{
    const std::vector<Answer> answers = answersOf(message.buttons);
    if (message.defaultButton < 0 || message.defaultButton >= static_cast<int>(answers.size()))
        return answers.front();
    return answers[static_cast<std::size_t>(message.defaultButton)];
}

QStringList toQtFilters(const QString &filter)
{
    static const QRegularExpression separators(u"[;,\\s]+"_s);
    static const QRegularExpression trailingGroup(u"\\(([^()]*)\\)\\s*$"_s);
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        if (description.isEmpty() && i + 1 >= parts.size())
            continue;
        const QString patternText = i + 1 < parts.size() ? parts[i + 1] : u"*"_s;
        const QStringList patterns = patternText.split(separators, Qt::SkipEmptyParts);
        const QString joined = patterns.isEmpty() ? u"*"_s : patterns.join(u' ');
        // "jpgファイル (*.jpg)" already names its patterns the way Qt reads them.
        const QRegularExpressionMatch m = trailingGroup.match(description);
        if (m.hasMatch() && m.captured(1).split(separators, Qt::SkipEmptyParts) == patterns)
            result.append(description);
        else
            result.append(description + u" ("_s + joined + u')');
    }
    return result;
}

Answer Desktop::message(const Message &message)
{
    if (!message.title.isEmpty())
        return showMessage(message);
    Message titled = message;
    titled.title = defaultTitle_;
    return showMessage(titled);
}

Answer Desktop::message(const QString &text, Buttons buttons, Icon icon, const QString &title,
                        int defaultButton)
{
    Message m;
    m.text = text;
    m.title = title;
    m.buttons = buttons;
    m.icon = icon;
    m.defaultButton = defaultButton;
    return message(m);
}

} // namespace platform
