#pragma once

#include "platform/datasetmatch.h"
#include "platform/fieldlayout.h"

#include <QObject>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <vector>

class DataSet;
class QSqlQuery;

// One column of a data set. Owned by the data set; the pointer stays valid while the
// data set lives (a field declared with declareField() also across close and open).
// Reads and writes go to the current row.
class DataField
{
public:
    enum class Type { String, Float, Integer, Other };

    const QString &fieldName() const { return m_name; }
    Type type() const { return m_type; }
    bool isNumeric() const { return m_type == Type::Float || m_type == Type::Integer; }
    // Position among all fields (the order the grid and the layouts use).
    int index() const;

    QString displayLabel() const { return m_label.isEmpty() ? m_name : m_label; }
    void setDisplayLabel(const QString &label);
    int displayWidth() const { return m_displayWidth; } // characters
    void setDisplayWidth(int characters);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    // "0.000": that many decimals with the separator in force; empty = the plain text.
    QString displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format);

    // The current row's value.
    QVariant value() const;
    bool isNull() const;
    QString asString() const;  // null = ""; numbers in the general form with the separator
    double asDouble() const;   // null = 0; text is converted strictly
    QString displayText() const; // as the grid shows it (display format applied)

    // Writes into the current row; the data set must be in edit or insert state.
    void setValue(const QVariant &value);
    void setAsString(const QString &text); // numeric fields convert strictly; "" = null
    void setAsDouble(double value);
    void clear() { setValue(QVariant()); }

    // The same conversions for any value of this field (used for rows other than the current).
    QString textOf(const QVariant &v) const;
    QString displayTextOf(const QVariant &v) const;

private:
    friend class DataSet;
    DataField(DataSet *ds, QString name) : m_ds(ds), m_name(std::move(name)) {}

    DataSet *m_ds;
    QString m_name;
    QString m_label;
    QString m_displayFormat;
    Type m_type = Type::String;
    int m_displayWidth = 20;
    bool m_widthSet = false;
    bool m_visible = true;
    bool m_declared = false;
    int m_column = -1; // index into a row's values
};

// The query stand-in: a statement, an in-memory snapshot of its rows (static cursor),
// a current row, an edit buffer, and write-through of single rows by SQLite's rowid.
//
// Writing needs the row's key. For a single-table "select * from <table> ..." statement the
// data set asks for the rowid itself (it is kept beside the row, never shown as a field),
// so post() and remove() work on that table. Any other statement gives a read-only set.
class DataSet : public QObject, public FieldLayoutTarget
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum LocateOption { CaseInsensitive = 0x1, PartialKey = 0x2, Anywhere = 0x4 };
    Q_DECLARE_FLAGS(LocateOptions, LocateOption)

    // A remembered row. It names the row by its rowid (by its snapshot position when the
    // statement has no key), so it survives filter changes and refresh while the row exists.
    struct Bookmark
    {
        qint64 rowid = -1;
        int rowIndex = -1;
        bool isValid() const { return rowIndex >= 0; }
    };

    // Runs before a row is written; may throw AppError or SilentAbort to refuse the save.
    using BeforePostHook = std::function<void(DataSet &)>;
    using RowPredicate = std::function<bool(const DataSet &, const QVariantList &rowValues)>;

    explicit DataSet(QObject *parent = nullptr);
    ~DataSet() override;

    // Statement. Changing it closes an open data set.
    QStringList statement() const { return m_statement; }
    void setStatement(const QStringList &lines);
    void clearStatement();
    void addLine(const QString &line);
    QString statementText() const { return m_statement.join(QLatin1Char('\n')); }
    // Bound values for ":name" placeholders; kept until clearBindings().
    void bindValue(const QString &name, const QVariant &value);
    void clearBindings();

    // Declares a field before opening: it keeps its settings across close and open, and
    // opening fails when the statement does not deliver it. Declared fields come first, in
    // declaration order.
    DataField &declareField(const QString &name);

    void open(QSqlDatabase db = QSqlDatabase());
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    // Runs the statement as one that returns no rows; returns the rows affected.
    int execute(QSqlDatabase db = QSqlDatabase());
    // Re-reads the statement, keeping the current row (by key) and the filter.
    void refresh();

    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    bool isModified() const { return m_modified; }
    // True when rows can be written back (a key table is known) and not made read-only.
    bool canModify() const;
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    QString keyTable() const { return m_keyTable; }

    // Fields.
    int fieldCount() const { return int(m_fields.size()); }
    DataField &field(int position) const;
    DataField &fieldByName(const QString &name) const; // raises AppError when missing
    DataField *findField(const QString &name) const;    // case-insensitive; nullptr when missing
    QList<DataField *> fields() const;
    QList<DataField *> visibleFields() const;
    // Puts a field at another position.
    void moveField(DataField &f, int position);

    // Rows of the current view (after the filter).
    int recordCount() const { return int(m_view.size()); }
    bool isEmpty() const { return m_view.empty(); }
    int currentRow() const { return m_cur; } // -1 when empty
    bool isBof() const { return m_bof; }
    bool isEof() const { return m_eof; }

    // Moves. Each first ends a pending edit or insert (posting changes, which may throw);
    // the current row changes only when that succeeded.
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance);
    void setCurrentRow(int row);
    bool locate(const QString &fieldName, const QVariant &value, LocateOptions options = {});
    // Searches the view from row `from` on for the first row whose field matches.
    int findRow(const DataField &f, const QString &text, DataSetMatch::MatchType match,
                Qt::CaseSensitivity cs, int from) const;

    // Bookmarks.
    Bookmark bookmark() const;
    bool bookmarkValid(const Bookmark &b) const;
    bool gotoBookmark(const Bookmark &b); // false when the row is gone or filtered out

    // Filter: a predicate, criteria (as the filter dialog builds them), or both.
    void setFilter(RowPredicate predicate);
    void setFilterCriteria(const QList<DataSetMatch::FilterCriterion> &criteria);
    QList<DataSetMatch::FilterCriterion> filterCriteria() const { return m_criteria; }
    void clearFilter();
    bool isFiltered() const { return bool(m_predicate) || !m_criteria.isEmpty(); }

    // Editing.
    void insert();
    void edit();
    void post();
    void cancel();
    void remove();

    // Hooks that may throw (they are plain callables, never Qt slots).
    void setBeforePost(BeforePostHook hook) { m_beforePost = std::move(hook); }

    // Row access for the grid model without moving the current row.
    QVariant valueAt(int row, const DataField &f) const;
    QString displayTextAt(int row, const DataField &f) const;

    // FieldLayoutTarget: the prefix is the data set's objectName.
    QString layoutKeyPrefix() const override { return objectName(); }
    QList<FieldLayout> fieldLayouts() const override;
    void applyFieldLayouts(const QList<FieldLayout> &layouts) override;

signals:
    void afterOpen();
    void afterClose();
    void afterScroll();
    void afterInsert();
    void afterPost();
    void afterCancel();
    void afterDelete();
    void stateChanged();

    // For views: the row set or the fields changed as a whole, or one row.
    void dataReset();
    void fieldsChanged();
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowChanged(int row);

private:
    friend class DataField;
    struct Row
    {
        qint64 rowid = -1;
        QVariantList values;
        bool deleted = false;
    };

    QSqlDatabase resolve(QSqlDatabase db) const;
    // Prepares sql on q, binds the values it names and runs it; errors become AppError.
    void run(QSqlQuery &q, const QString &sql) const;
    QString preparedStatement(QString *keyTable) const;
    void load(QSqlDatabase db);
    void rebuildView();
    bool rowPasses(const Row &row) const;
    const QVariantList &currentValues() const;
    void requireActive() const;
    void requireEditing() const;
    void checkBrowseMode();
    void moveTo(int row, bool forceScroll);
    void setState(State s);
    void writeValue(DataField &f, const QVariant &v);
    QString quoted(const QString &name) const;

    QStringList m_statement;
    QVariantMap m_bindings;
    QSqlDatabase m_db;
    std::vector<std::unique_ptr<DataField>> m_fields;
    std::vector<Row> m_rows;
    std::vector<int> m_view; // indexes into m_rows
    QString m_keyTable;
    State m_state = State::Inactive;
    int m_cur = -1;
    int m_columnCount = 0;
    bool m_bof = true;
    bool m_eof = true;
    bool m_readOnly = false;
    bool m_modified = false;
    QVariantList m_buffer;        // the current row while editing or inserting
    QList<bool> m_changedColumns; // which columns the edit touched
    RowPredicate m_predicate;
    QList<DataSetMatch::FilterCriterion> m_criteria;
    BeforePostHook m_beforePost;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DataSet::LocateOptions)
