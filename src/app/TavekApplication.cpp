#include "app/TavekApplication.h"

#include "appfiles/AppIdentity.h"

#include "controls/MessageBox.h"
#include <QFont>
#include <exception>

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
    } catch (const std::exception& e) {
        reportUnexpectedError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportUnexpectedError(QStringLiteral("予期しないエラーが発生しました。"));
    }
    return false;
}

void reportUnexpectedError(const QString& message)
{
    tavek::MessageBox::unexpected(QApplication::activeWindow(), message);
}

void installFonts()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    QApplication::setFont(f);
}
