#pragma once

#include <QtGlobal>

#include <array>

namespace oruhr {

// The form type numbers of the four kinds of HR document the document window lists.
namespace DocumentKind {
constexpr qint32 Ordinance = 1022007;
constexpr qint32 Loan = 1022009;
constexpr qint32 Fund = 1022021;
constexpr qint32 GroupAdjustment = 1022041;

// The order in which finalisation updates the kinds.
constexpr std::array<qint32, 4> finalizeOrder{Ordinance, Loan, Fund, GroupAdjustment};
} // namespace DocumentKind

} // namespace oruhr
