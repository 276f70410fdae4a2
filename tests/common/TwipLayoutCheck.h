#pragma once

#include "common/TwipRect.h"

#include <QHash>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace oruhr {
inline void PrintTo(const TwipRect &r, std::ostream *os)
{
    *os << '{' << r.left << ", " << r.top << ", " << r.width << ", " << r.height << '}';
}
} // namespace oruhr

namespace oruhr::test {

using Places = QHash<QString, TwipRect>;

// The controls whose places differ, sorted, so that a failure names them.
inline std::string changed(const Places &a, const Places &b)
{
    QStringList names = a.keys() + b.keys();
    names.removeDuplicates();
    names.removeIf([&](const QString &n) { return a.contains(n) == b.contains(n) && a.value(n) == b.value(n); });
    names.sort();
    return names.join(QLatin1Char(',')).toStdString();
}

// A window's resize rule with the places and bases it works on, starting from the design.
struct Layout {
    using Rule = bool (*)(Places &, int &, int &, double, double);
    Rule rule;
    Places places;
    int baseWidth, baseHeight;

    bool resize(double w, double h) { return rule(places, baseWidth, baseHeight, w, h); }
    TwipRect at(const char *n) const { return places.value(QLatin1String(n)); }
    // How each control moved when the window went to w x h.
    Places movedBy(double w, double h)
    {
        const Places was = places;
        EXPECT_TRUE(resize(w, h));
        Places moved;
        for (auto it = places.cbegin(); it != places.cend(); ++it) {
            const TwipRect a = it.value(), b = was.value(it.key());
            if (a != b)
                moved.insert(it.key(), {a.left - b.left, a.top - b.top, a.width - b.width, a.height - b.height});
        }
        return moved;
    }
};

// The rules both windows share: nothing moves at the designed size or at or below the limit,
// the first layout measures from the designed size; a change of height alone grows the list and moves the bottom row down; shrinking below the
// limit keeps the bases, so the next layout above it makes up the whole change.
inline void expectTheSharedRules(Layout layout, const QList<std::pair<int, int>> &unmoved, int w, int h)
{
    const Layout designed = layout;
    for (auto [uw, uh] : unmoved)
        EXPECT_FALSE(layout.resize(uw, uh)) << uw << 'x' << uh;
    EXPECT_EQ(changed(designed.places, layout.places), "");
    EXPECT_EQ(std::pair(layout.baseWidth, layout.baseHeight), std::pair(designed.baseWidth, designed.baseHeight));
    Layout first = designed; // the first layout measures from the designed size
    EXPECT_EQ(first.movedBy(first.baseWidth + 400, first.baseHeight + 105).value(QStringLiteral("lstEmployee")),
              (TwipRect{0, 0, 400, 105}));

    ASSERT_TRUE(layout.resize(w, h));
    Layout direct = layout;
    Places expected;
    expected.insert(QStringLiteral("lstEmployee"), {0, 0, 0, 600});
    for (const char *n : {"cmdDeselect", "cmdSelect", "pgb", "lblProgress", "lblRecordCount", "lblTotalCount"})
        expected.insert(QLatin1String(n), {0, 600, 0, 0});
    EXPECT_EQ(changed(layout.movedBy(w, h + 600), expected), "");

    EXPECT_FALSE(direct.resize(8000, h + 900));
    EXPECT_FALSE(direct.resize(w + 300, 7000));
    EXPECT_EQ(std::pair(direct.baseWidth, direct.baseHeight), std::pair(w, h));
    ASSERT_TRUE(direct.resize(w, h + 600));
    EXPECT_EQ(changed(direct.places, layout.places), "");

    // Fractions stay in the places; the bases are rounded, ties to even.
    ASSERT_TRUE(layout.resize(w + 100.4, h + 600.5));
    EXPECT_EQ(std::pair(layout.baseWidth, layout.baseHeight), std::pair(w + 100, h + 600));
    EXPECT_DOUBLE_EQ(layout.at("lstEmployee").width, direct.at("lstEmployee").width + 100.4);
}

} // namespace oruhr::test
