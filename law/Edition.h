// The law as data. An edition is one constant table of every legal figure the
// calculations read: rates, band edges, subtrahends, levies, deductions and
// ratios, one group per tax, each group naming where its figures come from.
// The formulas (core/Schedules, calc/) take the edition they compute under;
// where the law changed a formula's shape, the edition carries the figure
// that selects the shape (a band that a year does not have is left empty).
//
// Two editions exist: 平成29年版, the tax year 2017 as the program has always
// computed it, and 令和7年分, the tax year 2025 (the returns filed in 2026;
// for companies, the fiscal years starting from 2025-04-01 to 2026-03-31).
// Each is defined in its own source file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/Amount.h"
#include "core/CivilDate.h"

namespace tavenko::law {

// The top band of a table has no upper bound.
inline constexpr YenAmount kNoLimit = INT64_MAX;

// One row of a progressive table: amounts up to and including `upTo` are
// taxed at amount × `rate` − `subtrahend`.
struct Bracket {
  YenAmount upTo;  // inclusive upper bound; kNoLimit for the top row
  Extended rate;
  YenAmount subtrahend;
};

// A flat rate (bandEdge kNoLimit), or two rates each applied to the whole
// amount, the upper one less a subtrahend. An amount exactly at the edge
// takes the lower band.
struct TwoBandRate {
  YenAmount bandEdge;
  Extended lowerRate;
  Extended upperRate;
  YenAmount upperSubtrahend;
};

// A company's inhabitant tax: its corporation tax times a rate (the upper one
// when the corporation tax is above the edge) plus the per-capita levy.
struct LevyRate {
  YenAmount bandEdge;  // kNoLimit for one rate
  Extended lowerRate;
  Extended upperRate;
  YenAmount levy;
};

// ---- Individuals ---------------------------------------------------------------

struct IncomeTaxLaw {
  std::span<const Bracket> brackets;  // before the surtax
  Extended surtaxFactor;              // 1 + the reconstruction surtax rate
};

struct InhabitantTaxLaw {
  Extended prefecturalRate;
  Extended municipalRate;
};

struct IndividualBusinessTaxLaw {
  YenAmount ownerDeduction;  // 事業主控除
  Extended rate;
};

// Salary income = revenue − revenue × rate − subtrahend of the band the
// revenue falls in; none up to `noIncomeUpTo`.
struct SalaryIncomeLaw {
  YenAmount noIncomeUpTo;
  std::span<const Bracket> bands;
};

struct RetirementLaw {
  YenAmount minimumDeduction;       // up to `minimumYears` of service
  int minimumYears;
  YenAmount perYearUpToBand;        // a year of service up to `bandYears`
  int bandYears;
  YenAmount perYearBeyondBand;      // a year of service beyond
  // 短期退職手当等: five years of service or fewer; the part of what is left
  // after the deduction above `shortServiceHalvedUpTo` is not halved. A
  // `shortServiceYears` of 0: the year has no such rule.
  int shortServiceYears;
  YenAmount shortServiceHalvedUpTo;
  int officerUnhalvedYears;         // an officer's allowance is not halved up to these years
};

struct OccasionalIncomeLaw {
  YenAmount specialDeduction;
};

struct TransferLaw {
  YenAmount residenceDeduction;  // 居住用財産の3,000万円特別控除
  TwoBandRate longTermIncomeTax;  // before the surtax
  TwoBandRate longTermInhabitantTax;
  TwoBandRate shortTermIncomeTax;
  TwoBandRate shortTermInhabitantTax;
  TwoBandRate superiorLandIncomeTax;  // 優良住宅地
  TwoBandRate superiorLandInhabitantTax;
  TwoBandRate residenceOverTenYearsIncomeTax;  // 軽減税率の特例
  TwoBandRate residenceOverTenYearsInhabitantTax;
};

// ---- Companies -------------------------------------------------------------------

struct CorporationTaxLaw {
  Extended largeCompanyRate;               // capital above 100,000,000 yen
  std::span<const Bracket> smallCompany;   // capital up to 100,000,000 yen
  bool smallCompanyContinuous;             // the bands meet at every edge
  // The national tax added on top of the corporation tax in the total:
  // a tenth in 平成29年版, the local corporation tax 地方法人税 in 令和7年分.
  Extended additionRate;
  std::string_view additionName;  // empty: the year names no such tax
};

struct CorporateInhabitantTaxLaw {
  LevyRate largeCompany;
  LevyRate smallCompany;
};

// How the factor of the enterprise tax applies: to each band's rate (the
// subtrahends already carry it), or to the tax of the bands.
enum class EnterpriseFactor { OnEachRate, OnTheTax };

struct EnterpriseTaxSchedule {
  std::span<const Bracket> bands;
  Extended factor;
  EnterpriseFactor applies;
};

struct EnterpriseTaxLaw {
  EnterpriseTaxSchedule largeCompany;
  EnterpriseTaxSchedule smallCompany;
  // For the texts: the income-based enterprise tax rate of a large company
  // and the special corporate enterprise tax as a share of the enterprise tax
  // (both 0 where the year's texts do not quote them).
  Extended largeCompanyIncomeRate;
  Extended largeCompanySpecialRate;
  Extended smallCompanySpecialRate;
};

// ---- Gifts and estates -------------------------------------------------------------

struct GiftTaxLaw {
  YenAmount basicDeduction;
  std::span<const Bracket> general;
  std::span<const Bracket> linealAscendant;  // 特例税率
  int linealAscendantDoneeAge;               // the 特例税率's donee: this age or over on 1 January
};

struct InheritanceTaxLaw {
  YenAmount basicDeduction;        // 基礎控除の定額部分
  YenAmount basicDeductionPerHeir;
  std::span<const Bracket> brackets;
  YenAmount spouseReductionCeiling;  // 配偶者の税額軽減: 160,000,000 yen
  Extended siblingsAddition;         // 相続税額の２割加算
  Extended siblingsAdditionFactor;   // 1 + the addition, as the tax is multiplied by it
  Extended siblingsAdditionCap;      // of the siblings' portion after the deduction
};

// The tax accountant's fee for an inheritance tax return (not law: the fee
// table the program estimates with, kept with the year it was set for).
struct FeeRow {
  YenAmount below;  // estates below this amount (each row includes its lower bound)
  YenAmount fee;
};
struct AccountantFeeLaw {
  std::span<const FeeRow> rows;
  YenAmount topFee;            // from the last row's bound
  YenAmount topStep;           // added for each full step above it
  YenAmount topStepAmount;
  Extended perExtraHeir;       // each heir beyond the first
  Extended returnFactor;       // the preparation of the return
};

// ---- The comprehensive taxation window ----------------------------------------

// How one band of the comprehensive taxation window's salary table makes the
// salary income from the revenue S; A is S cut down to the table's step.
enum class SalaryBandShape {
  NoIncome,           // 0
  LessAmount,         // S − amount
  FixedIncome,        // amount
  StepTimesRate,      // A × rate − amount
  WholeYenTimesRate,  // Int(S × rate) − amount, S × rate cut to whole yen
  LessRateOfRevenue,  // S − S × rate − amount
};

struct SalaryTableBand {
  YenAmount bound;     // revenues below it (up to and including it when `boundIncluded`)
  bool boundIncluded;
  SalaryBandShape shape;
  Extended rate;
  YenAmount amount;
};

// The window's own salary table (所得税法別表第五 in steps of `step` yen).
struct ComprehensiveSalaryLaw {
  YenAmount step;
  std::span<const SalaryTableBand> bands;  // the last band has the bound kNoLimit
};

// How one row of a public-pension table makes the income from the pensions P.
enum class PensionShape {
  NoIncome,     // 0
  LessRate,     // P − P × rate − subtrahend
  TimesRate,    // P × rate − subtrahend
};

struct PensionRow {
  YenAmount upTo;  // pensions up to and including it; kNoLimit for the top row
  PensionShape shape;
  Extended rate;
  YenAmount subtrahend;
};

// The pension income is higher (the deduction smaller) by `higherIncome`
// when the other income is above `otherIncomeAbove`.
struct PensionOtherIncomeStep {
  YenAmount otherIncomeAbove;
  YenAmount higherIncome;
};

struct PublicPensionLaw {
  std::span<const PensionRow> sixtyFiveOrOver;
  std::span<const PensionRow> underSixtyFive;
  std::span<const PensionOtherIncomeStep> otherIncomeSteps;  // ascending; empty: none
};

// One class of business of the simplified method, its deemed purchase
// ratio in ten-thousandths (9000 for 90 %).
struct DeemedPurchaseClass {
  int ratio;
  std::string_view classText;  // "第一種事業"
  std::string_view business;   // "卸売業"
};

// How the simplified method makes the tax.
enum class SimplifiedTaxShape {
  // One rate on the deemed value added: (1 − ratio) × the tax-excluded sales,
  // cut to 1,000 yen, × the rate, cut to 100 yen.
  OnValueAdded,
  // The national tax (S − S × ratio, S the national rates on the tax-excluded
  // sales), cut to 100 yen, and the local tax as a share of it, cut to 100 yen.
  NationalAndLocal,
};

struct ConsumptionTaxLaw {
  SimplifiedTaxShape shape;
  int standardIncludedPercent;  // 105: the sales include the tax at 5 %
  Extended standardRate;        // the rate the shape applies (5 %; the national 7.8 %)
  int reducedIncludedPercent;   // 108; 0: the year has no reduced rate
  Extended reducedRate;         // the national 6.24 %
  int localNumerator;           // local tax = national × numerator / denominator
  int localDenominator;
  Extended standardWholeRate;   // national and local together, for the texts (10 %)
  Extended reducedWholeRate;    // (8 %)
  int flatRatioSpecial;         // 2割特例: the ratio whatever the class; 0 when none
  std::span<const DeemedPurchaseClass> classes;  // highest ratio first
};

// ---- Additional and delinquency tax ------------------------------------------------

struct PenaltyBand {
  YenAmount upTo;  // the part of the understated tax up to it; kNoLimit for the top
  Extended rate;
};

struct AdditionalTaxLaw {
  Extended understatementRate;        // on the part up to the threshold
  Extended understatementUpperRate;   // on the part above it
  YenAmount understatementThreshold;  // or the initial tax, the larger
  std::span<const PenaltyBand> noReturnBands;
  Extended noReturnBusinessRate;      // the business tax column of a no-return case
  Extended heavyRate;
  Extended heavyNoReturnRate;
};

// The yearly rates of the delinquency tax of one calendar year.
struct DelinquencyYear {
  int year;
  Extended lowerRate;   // the first months after the filing
  Extended higherRate;  // afterwards
};

struct DelinquencyLaw {
  int daysPerYear;
  // By a rate and a day count: the official discount rate typed plus this.
  Extended addedToDiscountRate;
  Extended defaultDiscountRatePercent;
  // By dates (when `years` is not empty): each day at its year's rate, the
  // lower one through the end of the given months after the filing date.
  std::span<const DelinquencyYear> years;  // ascending, without a gap
  int lowerRateMonthsNational;
  int lowerRateMonthsLocal;  // inhabitant and business tax
  CivilDate defaultDueDate;
};

// ---- The edition ----------------------------------------------------------------

enum class EditionId { Heisei29, Reiwa7 };

struct Edition {
  EditionId id;
  std::string_view key;         // "h29": the settings file and the command line
  std::string_view name;        // "平成29年版"
  std::string_view titleName;   // "令和７年分": the window titles, as the main window's title writes it

  IncomeTaxLaw incomeTax;
  InhabitantTaxLaw inhabitantTax;
  IndividualBusinessTaxLaw individualBusinessTax;
  SalaryIncomeLaw salaryIncome;
  RetirementLaw retirement;
  OccasionalIncomeLaw occasionalIncome;
  TransferLaw transfers;
  CorporationTaxLaw corporationTax;
  CorporateInhabitantTaxLaw corporateInhabitantTax;
  EnterpriseTaxLaw enterpriseTax;
  GiftTaxLaw giftTax;
  InheritanceTaxLaw inheritanceTax;
  AccountantFeeLaw accountantFee;
  ComprehensiveSalaryLaw comprehensiveSalary;
  PublicPensionLaw publicPension;
  ConsumptionTaxLaw consumptionTax;
  AdditionalTaxLaw additionalTax;
  DelinquencyLaw delinquency;
};

extern const Edition kHeisei29;
extern const Edition kReiwa7;

// The edition of an id.
const Edition& EditionOf(EditionId id);
// Every edition, the specified one first.
std::span<const Edition* const> Editions();
// By key ("h29", "r7") or name ("平成29年版", "令和7年分"); nothing for another text.
std::optional<EditionId> FindEdition(std::string_view keyOrName);

}  // namespace tavenko::law
