#include "app/AboutBox.h"

#include "app/HelpCommands.h"
#include "app/TitlePicture.h"
#include "appfiles/AppIdentity.h"
#include "controls/FixedDialog.h"
#include "controls/Label3D.h"
#include "controls/PixelFont.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TAboutBox::TAboutBox(QWidget* parent, const QString& versionText) : QDialog(parent), version_(versionText)
{
    setObjectName(QStringLiteral("AboutBox"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    tavek::dialog::makeFixed(this, QSize(318, 248));
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    setFont(f);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 8, 295 + 4, 199 + 4);
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setAutoFillBackground(true);
    QPalette pp = panel->palette();
    pp.setColor(QPalette::Window, Qt::white);
    pp.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(pp);

    auto* image = new QLabel(panel);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(titlePicture());
    image->setGeometry(2, 2, 295, 199);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label3D1 = new Label3D(versionText, panel);
    Label3D1->setObjectName(QStringLiteral("Label3D1"));
    Label3D1->setStyle3D(Label3D::Style::Recessed);
    Label3D1->setFont(pixelFont(font(), 13, true));
    Label3D1->move(198, 64);

    Label3D2 = new Label3D(QString::fromUtf16(kCreditLine), panel);
    Label3D2->setObjectName(QStringLiteral("Label3D2"));
    Label3D2->setStyle3D(Label3D::Style::Recessed);
    Label3D2->setFont(pixelFont(font(), 12, true));
    QPalette lp = Label3D2->palette();
    lp.setColor(QPalette::WindowText, Qt::blue);
    Label3D2->setPalette(lp);
    Label3D2->setWebAddress(QUrl(tavek::identity::homePage()));
    Label3D2->setGeometry(8, 182, 220, 16);

    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("MsgBitBtn1"));
    ok->setGeometry(214, 214, 89, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* home = new QPushButton(QStringLiteral("作者のホームページ"), this);
    home->setObjectName(QStringLiteral("Button1"));
    home->setGeometry(8, 216, 141, 23);
    home->setAutoDefault(false);
    connect(home, &QPushButton::clicked, this, &TAboutBox::Button1Click);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    Label3D1->setText(version_);
    Label3D1->adjustSize();
    if (parentWidget())
        move(parentWidget()->window()->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TAboutBox::Button1Click()
{
    openHomePage(this);
}
