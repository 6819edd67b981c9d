// The callouts of a picture: which widget a {path} names, and where its
// marker goes.
#include "manual-shots/Callouts.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace tavek;

namespace {

// Two panels with a label of the same name each, a hidden label, and a label
// scrolled out of its scroll area.
struct Window {
    QWidget window;
    QWidget* left = named(new QWidget(&window), "Left", {0, 0, 150, 200});
    QWidget* right = named(new QWidget(&window), "Right", {150, 0, 150, 200});
    QWidget* leftName = named(new QLabel(QStringLiteral("a"), left), "Name", {10, 10, 50, 20});
    QWidget* rightName = named(new QLabel(QStringLiteral("b"), right), "Name", {10, 10, 50, 20});
    QWidget* hidden = named(new QLabel(&window), "Hidden", {10, 150, 50, 20});
    QScrollArea* scroll = named(new QScrollArea(right), "Scroll", {0, 100, 150, 100});
    QWidget* far = nullptr;

    Window()
    {
        window.setObjectName(QStringLiteral("Window"));
        window.resize(300, 200);
        auto* content = new QWidget;
        content->resize(150, 1000);
        far = named(new QLabel(QStringLiteral("far"), content), "Far", {0, 900, 50, 20});
        scroll->setWidget(content);
        hidden->hide();
        window.show();
    }

    template <class W>
    static W* named(W* w, const char* name, QRect geometry)
    {
        w->setObjectName(QString::fromLatin1(name));
        w->setGeometry(geometry);
        return w;
    }
};

}  // namespace

TEST(Callouts, APathNamesOneWidgetThatShowsOrSaysWhyNot)
{
    Window w;
    const std::pair<const char*, QWidget*> found[] = {{"Window", &w.window},
                                                      {"Left", w.left},
                                                      {"Left/Name", w.leftName},
                                                      {"Right/Name", w.rightName},
                                                      {"Window/Right/Name", w.rightName}};
    for (const auto& [path, widget] : found)
        EXPECT_EQ(callouts::find(&w.window, QString::fromLatin1(path).split(u'/')), widget) << path;

    const std::pair<const char*, const char*> refused[] = {
        {"Name", "{Name} names 2 widgets in the picture; name a widget around the one meant as well, {Outer/Name}"},
        {"Hidden", "{Hidden} names no widget that shows in the picture"},
        {"Far", "{Far} names no widget that shows in the picture"},
        {"Missing", "{Missing} names no widget that shows in the picture"},
        {"Name/Left", "{Name/Left} names no widget that shows in the picture"},
    };
    for (const auto& [path, message] : refused) {
        try {
            callouts::find(&w.window, QString::fromLatin1(path).split(u'/'));
            ADD_FAILURE() << path << " found";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }

    const QStringList offered = callouts::offered(&w.window);
    EXPECT_TRUE(offered.contains(QStringLiteral("{Left/Name}")));
    EXPECT_TRUE(offered.contains(QStringLiteral("{Right/Name}")));
    EXPECT_FALSE(offered.contains(QStringLiteral("{Name}")));
    EXPECT_FALSE(offered.contains(QStringLiteral("{Hidden}")));
    EXPECT_FALSE(offered.contains(QStringLiteral("{Far}")));
    for (const QString& path : offered)
        EXPECT_NO_THROW(callouts::find(&w.window, path.mid(1, path.size() - 2).split(u'/'))) << path.toStdString();
}

TEST(Callouts, MarkersTouchTheirWidgetsAndHideNeitherTextNorEachOther)
{
    struct Case {
        const char* what;
        std::vector<QRect> named;
        std::vector<QRect> text;  // drawn as ink that a marker must not hide
        std::vector<QRect> within = {};
    };
    const Case cases[] = {
        {"a button alone", {{180, 140, 60, 22}}, {}},
        {"a button on the left edge", {{0, 140, 60, 22}}, {}},
        {"text left of and above the widget", {{180, 140, 60, 22}}, {{100, 130, 78, 40}, {170, 100, 90, 38}}},
        {"a row of buttons touching each other",
         {{100, 40, 60, 22}, {160, 40, 60, 22}, {220, 40, 60, 22}},
         {{100, 43, 180, 16}}},
        {"a panel as large as the window", {{0, 0, 400, 300}}, {{0, 0, 400, 40}}},
        // A tab page from y 60 down: above the widget would be the tab bar.
        {"a widget at the top of its tab page", {{180, 62, 60, 22}}, {{100, 60, 78, 24}}, {{0, 60, 400, 240}}},
    };
    const qreal d = callouts::kDiameter;
    for (const Case& c : cases) {
        QImage picture(800, 600, QImage::Format_RGB32);
        picture.setDevicePixelRatio(2);
        picture.fill(Qt::white);
        {
            QPainter p(&picture);
            for (const QRect& t : c.text)
                for (int x = t.left(); x < t.right(); x += 3)
                    p.fillRect(QRect(x, t.top(), 1, t.height()), Qt::black);
        }
        const std::vector<callouts::Marker> markers = callouts::place(picture, c.named, c.within);
        ASSERT_EQ(markers.size(), c.named.size()) << c.what;
        std::vector<QPointF> centres;
        for (const callouts::Marker& m : markers) {
            centres.push_back(m.centre);
            EXPECT_FALSE(m.leader) << c.what << ": room enough beside every widget";
        }
        for (size_t i = 0; i < centres.size(); ++i) {
            const QRectF box(centres[i] - QPointF(d / 2, d / 2), QSizeF(d, d));
            EXPECT_TRUE(QRectF(c.within.empty() ? QRect(0, 0, 400, 300) : c.within[i]).contains(box)) << c.what;
            for (const QRect& t : c.text)
                EXPECT_FALSE(box.intersects(t))
                    << c.what << ": marker " << i + 1 << " hides text at " << centres[i].x() << "," << centres[i].y();
            const QRectF widget(c.named[i]);
            if (widget.width() < 200) {
                EXPECT_FALSE(box.intersects(widget.adjusted(1, 1, -1, -1))) << c.what << ": marker " << i + 1;
            }
            // Touching it: no farther than its own diameter from the widget.
            EXPECT_TRUE(widget.adjusted(-d - 3, -d - 3, d + 3, d + 3).contains(box)) << c.what;
            for (size_t j = 0; j < i; ++j)
                EXPECT_GE(std::hypot(centres[i].x() - centres[j].x(), centres[i].y() - centres[j].y()), d) << c.what;
        }
    }
}

// A marker points at what a widget shows, not at an empty end of it: the
// menus of a menu bar, the tab in view, a status line's message, a label's
// text without its padding blanks, the cells of a table.
TEST(Callouts, AMarkerPointsAtWhatTheWidgetShows)
{
    QMainWindow window;
    window.resize(600, 400);
    window.menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    auto* tabs = new QTabWidget;
    tabs->addTab(new QWidget, QStringLiteral("単勝"));
    auto* table = new QTableWidget(2, 2);
    tabs->addTab(table, QStringLiteral("妙味"));
    tabs->setCurrentIndex(1);
    window.setCentralWidget(tabs);
    window.statusBar()->showMessage(QStringLiteral("速報票数を取得しました"));
    auto* label = new QLabel(QStringLiteral("チャンピオンズカップ") + QString(40, u' '), table);
    label->setGeometry(200, 100, 380, 20);
    window.show();
    QApplication::processEvents();

    const QRect bar = callouts::contentRect(&window, window.menuBar());
    EXPECT_LT(bar.width(), window.width() / 4) << "the menus, not the whole bar";
    const QTabBar* tabBar = tabs->tabBar();
    EXPECT_EQ(callouts::contentRect(&window, tabs),
              QRect(tabBar->mapTo(&window, tabBar->tabRect(1).topLeft()), tabBar->tabRect(1).size()));
    EXPECT_LT(callouts::contentRect(&window, window.statusBar()).width(), window.width() / 2);
    EXPECT_LT(callouts::contentRect(&window, label).width(), 200) << "the name, not its padding";
    const QRect cells = callouts::contentRect(&window, table);
    EXPECT_LT(cells.width(), callouts::shownRect(&window, table).width());
    EXPECT_LT(cells.height(), callouts::shownRect(&window, table).height());
}

// Where every spot beside a widget stands on another one, its marker takes
// the one that hides nothing and draws a leader to it; a marker touching its
// widget on free ground draws none.
TEST(Callouts, AMarkerOnAnotherWidgetDrawsItsLeader)
{
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.setDevicePixelRatio(2);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        // Text on the buttons left and right of the one named.
        for (const QRect& t : {QRect(100, 143, 78, 16), QRect(242, 143, 78, 16)})
            for (int x = t.left(); x < t.right(); x += 3)
                p.fillRect(QRect(x, t.top(), 1, t.height()), Qt::black);
    }
    const QRect button(180, 140, 60, 22);
    // A row of buttons, an empty bar above them all and a panel below.
    const std::vector<QRect> others = {{100, 140, 78, 22}, {242, 140, 78, 22}, {0, 110, 400, 28}, {0, 164, 400, 36}};
    const std::vector<callouts::Marker> markers = callouts::place(picture, {button}, {{0, 100, 400, 100}}, {others});
    ASSERT_EQ(markers.size(), 1u);
    const QPointF c = markers[0].centre;
    EXPECT_TRUE(c.x() > button.left() && c.x() < button.right()) << "above the button, not beside its neighbours";
    EXPECT_LT(c.y(), button.top());
    ASSERT_TRUE(markers[0].leader);
    EXPECT_TRUE(QRectF(button).contains(*markers[0].leader));

    const std::vector<callouts::Marker> free = callouts::place(picture, {button}, {{0, 100, 400, 100}});
    EXPECT_FALSE(free[0].leader);
}
