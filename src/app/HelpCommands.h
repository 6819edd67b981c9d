#pragma once

#include <QString>

class QWidget;

// The help menu's two outward actions.

// Opens Tavek.pdf (the installed copy, else the application folder's) with the
// desktop's viewer, or beeps and says that it is missing.
void openUserManual(QWidget* parent, const QString& appFolder);

// Opens the maker's home page: the desktop's default action first, then the
// registered browser command; says so when neither works.
void openHomePage(QWidget* parent);
