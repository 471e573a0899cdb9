#pragma once

#include <QString>
#include <QVariant>

class DataField;

// The matching rules shared by locate and filter, kept apart from any dialog.
namespace DataSetMatch {

enum class MatchType { Exact, Beginning, Anywhere };

// One criterion of the filter dialog: a field compared with a value, or kept within a range.
struct FilterCriterion
{
    QString field;
    bool byRange = false;
    QString value;   // by value
    QString minimum; // by range; empty = open end
    QString maximum;
    MatchType match = MatchType::Beginning;
    bool caseSensitive = false;
    bool nonMatching = false; // keep the rows that do not match

    bool isEmpty() const
    {
        return byRange ? minimum.isEmpty() && maximum.isEmpty() : value.isEmpty();
    }
};

// Does text match pattern under the match type?
bool textMatches(const QString &text, const QString &pattern, MatchType match, Qt::CaseSensitivity cs);

// Does a field's value meet the criterion? Ranges compare numbers on numeric fields (the
// bounds are converted strictly, raising AppError for a bound that is not a number) and
// text otherwise.
bool criterionMatches(const DataField &f, const QVariant &value, const FilterCriterion &c);

} // namespace DataSetMatch
