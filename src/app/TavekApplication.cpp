#include "app/TavekApplication.h"

#include "appfiles/AppIdentity.h"
#include "appfiles/ErrorLog.h"
#include "controls/MessageBox.h"

#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The report of a failure that no handler stopped: it goes into the error
// log first, so that it is kept also when the user just closes the box.
void reportUnexpectedError(const QString& message)
{
    tavek::ErrorLog(tavek::ErrorLog::defaultPath()).tryWriteFailure(message);
    tavek::MessageBox::unexpected(QApplication::activeWindow(), message);
}

}  // namespace

TavekApplication::TavekApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The per-user application folder is named after it; tavek-cli uses the same name.
    setApplicationName(QString::fromLatin1(tavek::identity::kProgramName));
}

bool TavekApplication::notify(QObject* receiver, QEvent* event)
{
    return deliverGuarded([&] { return QApplication::notify(receiver, event); });
}

bool deliverGuarded(const std::function<bool()>& deliver)
{
    try {
        return deliver();
    } catch (...) {
        reportUnexpectedError(tavek::MessageBox::currentFailure());
    }
    return false;
}

bool installQtTranslation()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

void installFonts()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    QApplication::setFont(f);
}
