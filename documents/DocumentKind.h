#pragma once

#include "platform/database/SystemIds.h"

#include <QtGlobal>

#include <array>

namespace oruhr {

// The form type numbers of the four kinds of HR document the document window lists.
namespace DocumentKind {
constexpr qint32 Ordinance = ids::OrdinanceDocument;
constexpr qint32 Loan = ids::LoanDocument;
constexpr qint32 Fund = ids::FundDocument;
constexpr qint32 GroupAdjustment = ids::GroupAdjustmentDocument;

// The order in which finalisation updates the kinds.
constexpr std::array<qint32, 4> finalizeOrder{Ordinance, Loan, Fund, GroupAdjustment};
} // namespace DocumentKind

} // namespace oruhr
