#pragma once

#include <QObject>
#include <QString>

// The texts of the navigator bars and of the filter, locate and record-view dialogs: two
// fixed sets, German and English, of which one is active for every bar and dialog at once.
// They are switched by language index, not by the translator.
class NavigatorTexts : public QObject
{
    Q_OBJECT

public:
    enum Text {
        // Navigator hints ("%d" = rows of a page move) and the delete confirmation.
        DeleteConfirmation,
        HintFirst,
        HintPrior,
        HintNext,
        HintLast,
        HintInsert,
        HintDelete,
        HintEdit,
        HintPost,
        HintCancel,
        HintRefresh,
        HintPriorPage,
        HintNextPage,
        HintSaveBookmark,
        HintRestoreBookmark,
        HintRecordView,
        HintLocate,
        HintFilter,
        HintSearch,
        // Messages.
        MsgDiscardChanges,
        MsgInvalidCharacters,
        MsgNoMatches,
        MsgNoMoreMatches,
        MsgNoCriteria,
        MsgRecordViewExit,
        CancelCaption,
        OkCaption,
        // Locate dialog.
        LocateCaption,
        LocateFieldValue,
        LocateSearchType,
        LocateCaseSensitive,
        LocateExact,
        LocateBeginning,
        LocateAnywhere,
        LocateFields,
        LocateFirst,
        LocateNext,
        LocateCancel,
        LocateClose,
        LocateFieldValueHint,
        LocateCaseSensitiveHint,
        LocateExactHint,
        LocateBeginningHint,
        LocateAnywhereHint,
        LocateFirstHint,
        LocateNextHint,
        LocateFieldNameHint,
        // Filter dialog.
        FilterCaption,
        FilterViewSummary,
        FilterNewSearch,
        FilterNewSearchHint,
        FilterFieldOrder,
        FilterAlphabetic,
        FilterLogical,
        FilterAllFields,
        FilterSearchedFields,
        FilterStartingRange,
        FilterEndingRange,
        FilterClear,
        FilterByValue,
        FilterByRange,
        FilterFieldValue,
        FilterSearchType,
        FilterExact,
        FilterBeginning,
        FilterAnywhere,
        FilterCaseSensitive,
        FilterNonMatching,
        FilterSummaryField,
        FilterSummarySearchType,
        FilterSummaryValue,
        FilterSummaryCaption,
        FilterFields,
        FilterNot,
        FilterRemove,
        // Record view.
        RecordViewCaption,
        RecordViewClose,
        RecordViewSave,
        TextCount
    };
    enum class Language { German, English };

    static NavigatorTexts &instance();

    Language language() const { return m_language; }
    void setLanguage(Language language);
    // -1 or 0: German; 1: English; any other index leaves the active set as it is.
    void switchInfoPowerTexts(int languageIndex);

    QString text(Text t) const;
    static QString text(Text t, Language language);
    // Shorthand for the active set.
    static QString get(Text t) { return instance().text(t); }

signals:
    void changed();

private:
    NavigatorTexts() = default;
    Language m_language = Language::German;
};
