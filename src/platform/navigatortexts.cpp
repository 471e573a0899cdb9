#include "platform/navigatortexts.h"

#include <array>

namespace {

struct Entry
{
    NavigatorTexts::Text key;
    const char *english;
    const char *german;
};

// Both sets side by side; the German wording of the dialog labels follows the set the
// bars were designed with, where it has one.
constexpr Entry entries[] = {
    {NavigatorTexts::DeleteConfirmation, "Delete record?", "Datensatz löschen?"},
    {NavigatorTexts::HintFirst, "Move to first record", "Zum ersten Datensatz"},
    {NavigatorTexts::HintPrior, "Move to prior record", "Vorheriger Datensatz"},
    {NavigatorTexts::HintNext, "Move to next record", "Nächster Datensatz"},
    {NavigatorTexts::HintLast, "Move to last record", "Zum letzten Datensatz"},
    {NavigatorTexts::HintInsert, "Insert new record", "Neuer Datensatz"},
    {NavigatorTexts::HintDelete, "Delete current record", "Löschen des aktuellen Datensatz"},
    {NavigatorTexts::HintEdit, "Edit current record", "Aktuellen Datensatz bearbeiten"},
    {NavigatorTexts::HintPost, "Post changes of current record", "Speichere Änderungen des aktuellen Datensatzes"},
    {NavigatorTexts::HintCancel, "Cancel changes made to current record", "Änderungen an aktuellen Datensatz abbrechen"},
    {NavigatorTexts::HintRefresh, "Refresh the contents of the dataset", "Datensätze aktualisieren"},
    {NavigatorTexts::HintPriorPage, "Move backward %d records", "Rückwärts %d Datensätze"},
    {NavigatorTexts::HintNextPage, "Move forward %d records", "Vorwärts %d Datensätze"},
    {NavigatorTexts::HintSaveBookmark, "Bookmark current record", "Lesezeichen aktuellen Datensatz"},
    {NavigatorTexts::HintRestoreBookmark, "Go back to saved bookmark", "Zurück zur gespeicherten Lesezeichen"},
    {NavigatorTexts::HintRecordView, "View current record", "Aktuellen Datensatz betrachten"},
    {NavigatorTexts::HintLocate, "Locate a specific record", "Suchen Sie einen bestimmten Datensatz"},
    {NavigatorTexts::HintFilter, "Filter the dataset", "Filtern der Datenmenge"},
    {NavigatorTexts::HintSearch, "Search the dataset", "Suche im Datenbestand"},

    {NavigatorTexts::MsgDiscardChanges, "Discard changes to this record?", "Änderungen verwerfen für diesen Datensatz?"},
    {NavigatorTexts::MsgInvalidCharacters, "Invalid characters. Field : ", "Ungültige Zeichen. Feld:"},
    {NavigatorTexts::MsgNoMatches, "No matches found", "Nichts Passendes gefunden"},
    {NavigatorTexts::MsgNoMoreMatches, "No more matches found", "Keine weiteren Einträge gefunden"},
    {NavigatorTexts::MsgNoCriteria, "You have not selected any search criteria", "Sie haben keine Suchkriterien gewählt"},
    {NavigatorTexts::MsgRecordViewExit, "Changes have been made!  Do you wish to save your changes?",
     "Es wurden Änderungen vorgenommen! Möchten Sie Ihre Änderungen zu speichern?"},
    {NavigatorTexts::CancelCaption, "Cancel", "Abbruch"},
    {NavigatorTexts::OkCaption, "&OK", "&OK"},

    {NavigatorTexts::LocateCaption, "Locate Field Value", "Feldwert suchen"},
    {NavigatorTexts::LocateFieldValue, "Field &Value", "Feld&wert"},
    {NavigatorTexts::LocateSearchType, "Search Type", "Suchart"},
    {NavigatorTexts::LocateCaseSensitive, "&Case Sensitive", "&Groß-/Kleinschreibung beachten"},
    {NavigatorTexts::LocateExact, "&Exact Match", "&Exakte Übereinkunft"},
    {NavigatorTexts::LocateBeginning, "Partial Match at &Beginning", "Teilweise Übereinkunft am &Anfang"},
    {NavigatorTexts::LocateAnywhere, "Partial Match A&nywhere", "Teilweise Übereinkunft &irgendwo"},
    {NavigatorTexts::LocateFields, "F&ields", "F&elder"},
    {NavigatorTexts::LocateFirst, "&First", "E&rster"},
    {NavigatorTexts::LocateNext, "&Next", "&Nächster"},
    {NavigatorTexts::LocateCancel, "Cancel", "Abbruch"},
    {NavigatorTexts::LocateClose, "Close", "Schließen"},
    {NavigatorTexts::LocateFieldValueHint, "Value to search for", "Gesuchter Wert"},
    {NavigatorTexts::LocateCaseSensitiveHint, "Distinguish upper and lower case",
     "Groß- und Kleinbuchstaben unterscheiden"},
    // The German set gives the exact-match choice this hint; kept as the set has it.
    {NavigatorTexts::LocateExactHint, "Field value must match exactly", "Teilweise Übereinkunft irgendwo"},
    {NavigatorTexts::LocateBeginningHint, "Field value must begin with the search value",
     "Feldwert muss mit dem gesuchten Wert beginnen"},
    {NavigatorTexts::LocateAnywhereHint, "Search value may appear anywhere in the field",
     "Gesuchter Wert darf irgendwo im Feld stehen"},
    {NavigatorTexts::LocateFirstHint, "Find first matching record", "Ersten passenden Datensatz suchen"},
    {NavigatorTexts::LocateNextHint, "Find next matching record", "Nächsten passenden Datensatz suchen"},
    {NavigatorTexts::LocateFieldNameHint, "Field to search in", "Zu durchsuchendes Feld"},

    {NavigatorTexts::FilterCaption, "Filter", "Filter"},
    {NavigatorTexts::FilterViewSummary, "View Summary", "Ergebnis anzeigen"},
    {NavigatorTexts::FilterNewSearch, "New Search", "Neue Suche"},
    {NavigatorTexts::FilterNewSearchHint, "Clear all search criteria", "Alle Suchkriterien löschen"},
    {NavigatorTexts::FilterFieldOrder, "Field Order", "Feldreihenfolge"},
    {NavigatorTexts::FilterAlphabetic, "&Alphabetic", "&Alphabetisch"},
    {NavigatorTexts::FilterLogical, "&Logical", "&Logisch"},
    {NavigatorTexts::FilterAllFields, "All Fields", "Alle Felder"},
    {NavigatorTexts::FilterSearchedFields, "Searched Fields", "Gesuchte Felder"},
    {NavigatorTexts::FilterStartingRange, "&Starting Range", "&Von"},
    {NavigatorTexts::FilterEndingRange, "&Ending Range", "&Bis"},
    {NavigatorTexts::FilterClear, "Clear", "Löschen"},
    {NavigatorTexts::FilterByValue, "By &Value", "Nach &Wert"},
    {NavigatorTexts::FilterByRange, "By &Range", "Nach &Bereich"},
    {NavigatorTexts::FilterFieldValue, "&Field Value", "&Feldwert"},
    {NavigatorTexts::FilterSearchType, "Search Type", "Suchart"},
    {NavigatorTexts::FilterExact, "E&xact Match", "E&xakte Übereinkunft"},
    {NavigatorTexts::FilterBeginning, "Match at Be&ginning", "Übereinkunft am An&fang"},
    {NavigatorTexts::FilterAnywhere, "Match A&nywhere", "Übereinkunft i&rgendwo"},
    {NavigatorTexts::FilterCaseSensitive, "&Case Sensitive", "&Groß-/Kleinschreibung beachten"},
    {NavigatorTexts::FilterNonMatching, "Non-&Matching Records", "Nicht &passende Datensätze"},
    {NavigatorTexts::FilterSummaryField, "Field", "Feld"},
    {NavigatorTexts::FilterSummarySearchType, "Search Type", "Suchart"},
    {NavigatorTexts::FilterSummaryValue, "Value", "Wert"},
    {NavigatorTexts::FilterSummaryCaption, "Summary", "Ergebnis"},
    {NavigatorTexts::FilterFields, "Fields", "Felder"},
    {NavigatorTexts::FilterNot, "Not", "Nicht"},
    {NavigatorTexts::FilterRemove, "&Remove Filter", "Filter &entfernen"},

    {NavigatorTexts::RecordViewCaption, "Record View", "Datensatzansicht"},
    {NavigatorTexts::RecordViewClose, "Close", "Schließen"},
    {NavigatorTexts::RecordViewSave, "&Save", "&Speichern"},
};

static_assert(std::size(entries) == NavigatorTexts::TextCount, "every text needs both sets");

constexpr bool inOrder()
{
    for (int i = 0; i < int(std::size(entries)); ++i)
        if (entries[i].key != i)
            return false;
    return true;
}
static_assert(inOrder(), "entries follow the order of the Text enum");

} // namespace

NavigatorTexts &NavigatorTexts::instance()
{
    static NavigatorTexts texts;
    return texts;
}

void NavigatorTexts::setLanguage(Language language)
{
    if (m_language == language)
        return;
    m_language = language;
    emit changed();
}

void NavigatorTexts::switchInfoPowerTexts(int languageIndex)
{
    if (languageIndex == -1 || languageIndex == 0)
        setLanguage(Language::German);
    else if (languageIndex == 1)
        setLanguage(Language::English);
}

QString NavigatorTexts::text(Text t) const
{
    return text(t, m_language);
}

QString NavigatorTexts::text(Text t, Language language)
{
    if (t < 0 || t >= TextCount)
        return QString();
    return QString::fromUtf8(language == Language::English ? entries[t].english : entries[t].german);
}
