#include "app/TavekApplication.h"

#include "racedata/DataFolder.h"

#include <QMessageBox>
#include <exception>

TavekApplication::TavekApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The per-user application folder is named after it; tavek-cli uses the same name.
    setApplicationName(QString::fromLatin1(tavek::kApplicationName));
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
    QApplication::beep();
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void installFonts()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    QApplication::setFont(f);
}
