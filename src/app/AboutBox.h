#pragma once

#include <QDialog>

class Label3D;

// The version-information box: title picture, version text, credit link, the
// home-page button and OK. Created anew for each opening and deleted on close.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(QWidget* parent, const QString& versionText);

    Label3D* Label3D1;  // version text
    Label3D* Label3D2;  // credit line, a link to the home page

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();

    QString version_;
};
