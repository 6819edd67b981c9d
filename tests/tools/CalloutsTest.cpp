// The callouts of a picture: which widget a {path} names, and where its
// marker goes.
#include "manual-shots/Callouts.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>
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
        const std::vector<QPointF> centres = callouts::place(picture, c.named, c.within);
        ASSERT_EQ(centres.size(), c.named.size()) << c.what;
        for (size_t i = 0; i < centres.size(); ++i) {
            const QRectF box(centres[i] - QPointF(d / 2, d / 2), QSizeF(d, d));
            EXPECT_TRUE(QRectF(c.within.empty() ? QRect(0, 0, 400, 300) : c.within[i]).contains(box)) << c.what;
            for (const QRect& t : c.text)
                EXPECT_FALSE(box.intersects(t)) << c.what << ": marker " << i + 1 << " hides text";
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
