#include "platform/datasetmatch.h"

#include "platform/dataset.h"
#include "platform/numbertext.h"

namespace DataSetMatch {

bool textMatches(const QString &text, const QString &pattern, MatchType match, Qt::CaseSensitivity cs)
{
    switch (match) {
    case MatchType::Exact:
        return text.compare(pattern, cs) == 0;
    case MatchType::Beginning:
        return text.startsWith(pattern, cs);
    case MatchType::Anywhere:
        return text.contains(pattern, cs);
    }
    return false;
}

static bool inRange(const DataField &f, const QVariant &value, const FilterCriterion &c)
{
    if (f.isNumeric()) {
        if (value.isNull())
            return false;
        const double v = value.toDouble();
        if (!c.minimum.isEmpty() && v < NumberText::toDouble(c.minimum))
            return false;
        if (!c.maximum.isEmpty() && v > NumberText::toDouble(c.maximum))
            return false;
        return true;
    }
    const QString text = f.textOf(value);
    const Qt::CaseSensitivity cs = c.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (!c.minimum.isEmpty() && text.compare(c.minimum, cs) < 0)
        return false;
    if (!c.maximum.isEmpty() && text.compare(c.maximum, cs) > 0)
        return false;
    return true;
}

bool criterionMatches(const DataField &f, const QVariant &value, const FilterCriterion &c)
{
    bool hit;
    if (c.byRange)
        hit = inRange(f, value, c);
    else
        hit = textMatches(f.textOf(value), c.value, c.match,
                          c.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    return hit != c.nonMatching;
}

} // namespace DataSetMatch
