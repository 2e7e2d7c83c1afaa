#pragma once

#include "platform/desktop.h"

class QWidget;

namespace platform {

// The desktop through Qt Widgets: QMessageBox, QInputDialog, QFileDialog,
// QColorDialog, QProcess, QClipboard and QPrintDialog. Dialogs are modal to
// the parent window given (or to the application when none).
class QtDesktop final : public Desktop {
public:
    explicit QtDesktop(QWidget *parent = nullptr);

    void setParentWindow(QWidget *parent) { parent_ = parent; }

    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText = {}) override;
    void beep() override;
    std::optional<QString> openFile(const FileDialogSpec &spec) override;
    std::optional<QString> saveFile(const FileDialogSpec &spec) override;
    std::optional<std::int32_t> chooseColor(std::int32_t initialBgr) override;
    bool startCommand(const QString &program, const QStringList &arguments) override;
    QString clipboardText() const override;
    void setClipboardText(const QString &text) override;
    std::unique_ptr<QPrinter> beginPrint(const QString &documentName) override;

protected:
    Answer showMessage(const Message &message) override;

private:
    std::optional<QString> fileDialog(const FileDialogSpec &spec, bool save);

    QWidget *parent_;
};

} // namespace platform
