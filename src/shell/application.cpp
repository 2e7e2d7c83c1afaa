#include "shell/application.h"

#include "config/settings_store.h"
#include "platform/desktop.h"
#include "platform/qt_desktop.h"
#include "scoring/night.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"
#include "shell/program_dir.h"
#include "store/database.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace shell {

namespace {

// Every ID of one column of a table; nullopt when the table cannot be read.
config::IdList idsOf(const store::Database &db, const QString &sql)
{
    return [&db, sql]() -> std::optional<std::vector<std::int64_t>> {
        try {
            std::vector<std::int64_t> ids;
            const QList<QVariantList> rows = db.select(sql);
            for (const QVariantList &row : rows) {
                bool ok = false;
                const qlonglong v = row.value(0).toLongLong(&ok);
                if (ok)
                    ids.push_back(v);
            }
            return ids;
        } catch (const std::exception &) {
            return std::nullopt;
        }
    };
}

} // namespace

StartOptions StartOptions::forThisProgram()
{
    StartOptions o;
    o.exeDir = QCoreApplication::applicationDirPath();
    o.userDataDir = ProgramDir::userDataDir();
    return o;
}

Application::Application(platform::Desktop &desktop, StartOptions options)
    : m_options(std::move(options))
    , m_desktop(desktop)
{
}

Application::Application(StartOptions options)
    : m_options(std::move(options))
    , m_ownDesktop(std::make_unique<platform::QtDesktop>())
    , m_desktop(*m_ownDesktop)
{
}

Application::~Application()
{
    // The main window refers to the context; it goes first.
    m_menu.reset();
}

QString Application::versionMessage()
{
    return u"データベースがVer３対応されていません。"_s + u"\r"_s + u"専用のソフト(pnr2ver3.exe)を使って"_s
        + u"\r"_s + u"データベースを更新して下さい。"_s;
}

Form_Start *Application::mainMenu() const
{
    return m_menu ? m_menu->mainMenu() : nullptr;
}

bool Application::openDatabase()
{
    const QString path = QDir(m_ctx->programDir).filePath(u"Pinora.mdb"_s);
    if (!QFileInfo::exists(path)) {
        // A fresh machine has no database yet: start with an empty one.
        try {
            m_db->create(path);
            return true;
        } catch (const std::exception &) {
            m_db->close();
            QFile::remove(path);
            return false;
        }
    }
    return true;
}

void Application::loadSettings()
{
    config::IdSources ids;
    ids.seasonIds = idsOf(*m_db, u"SELECT シーズンID FROM シーズン"_s);
    ids.matchIds = idsOf(*m_db, u"SELECT 試合ID FROM 試合"_s);
    try {
        m_settings.load(*m_store, ids);
    } catch (const std::exception &) {
        // A settings file that cannot be read leaves the defaults.
    }
}

Application::StartResult Application::start()
{
    m_store = m_options.settingsFile.isEmpty() ? std::make_unique<config::SettingsStore>()
                                               : std::make_unique<config::SettingsStore>(m_options.settingsFile);
    m_db = std::make_unique<store::Database>();
    const QString dir = ProgramDir::choose(m_options.exeDir, m_options.userDataDir);
    m_ctx.reset(new AppContext { m_desktop, *m_store, m_settings, m_match, *m_db, dir, nullptr });

    // 1. The program folder, made current.
    if (!ProgramDir::prepare(dir, ProgramDir::sourceDirs(m_options.exeDir)) || !QDir::setCurrent(dir)) {
        m_desktop.message(u"プログラムのフォルダを作成できません。"_s + u"\r"_s + QDir::toNativeSeparators(dir),
                          platform::Buttons::Ok, platform::Icon::Critical);
        return StartResult::NoProgramDir;
    }

    // 2. One copy at a time.
    if (!m_lock.acquire(m_options.lockDir.isEmpty() ? dir : m_options.lockDir)) {
        m_desktop.message(u"すでに起動しています。"_s);
        return StartResult::AlreadyRunning;
    }

    // 3. The database and its layout version.
    if (!openDatabase()) {
        m_desktop.message(u"データベースを作成できません。"_s + u"\r"_s
                              + QDir::toNativeSeparators(m_ctx->programFile(u"Pinora.mdb"_s)),
                          platform::Buttons::Ok, platform::Icon::Critical);
        return StartResult::NoDatabase;
    }
    bool current = false;
    try {
        if (!m_db->isOpen())
            m_db->open(m_ctx->programFile(u"Pinora.mdb"_s));
        current = m_db->hasTable(u"フレーム"_s);
    } catch (const std::exception &) {
        current = false;
    }
    if (!current) {
        m_db->close();
        m_desktop.message(versionMessage());
        return StartResult::OldDatabase;
    }

    // 4-9. From here on nothing stops the start.
    loadSettings();
    m_night = std::make_unique<scoring::Night>(m_settings.max_game);
    m_ctx->night = m_night.get();
    m_menu = std::make_unique<Form_menu>(*m_ctx);
    if (auto *qt = dynamic_cast<platform::QtDesktop *>(&m_desktop))
        qt->setParentWindow(m_menu.get());
    m_menu->placeFromSettings();
    m_menu->show();

    // 10. The main menu.
    m_menu->showMainMenu();
    for (const Installer &install : m_installers)
        install(*this);
    return StartResult::Started;
}

int Application::run()
{
    if (start() != StartResult::Started)
        return 1;
    return QApplication::exec();
}

int run(int argc, char **argv, const std::vector<Application::Installer> &installers)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(u"Pinora32"_s);
    // Japanese captions need a Japanese font; prefer IPA Gothic when present.
    const QStringList families = QFontDatabase::families();
    for (const QString &f : { u"IPAGothic"_s, u"IPAPGothic"_s, u"IPAゴシック"_s }) {
        if (families.contains(f)) {
            QFont font(f);
            font.setPointSize(10);
            QApplication::setFont(font);
            break;
        }
    }
    // Standard dialog buttons (OK, キャンセル, はい, いいえ) in Japanese like every other text.
    QTranslator qtbase;
    if (qtbase.load(u"qtbase_ja"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtbase);
    Application app(StartOptions::forThisProgram());
    for (const Application::Installer &install : installers)
        app.addInstaller(install);
    return app.run();
}

} // namespace shell
