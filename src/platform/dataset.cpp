#include "platform/dataset.h"

#include "data/database.h"
#include "platform/apperror.h"
#include "platform/numbertext.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace {

QString driverText(const QSqlError &e)
{
    const QString db = e.databaseText().trimmed();
    return db.isEmpty() ? e.text().trimmed() : db;
}

int decimalsOf(const QString &format)
{
    const int dot = format.indexOf(QLatin1Char('.'));
    return dot < 0 ? 0 : int(format.size() - dot - 1);
}

} // namespace

// ---------------------------------------------------------------- DataField

int DataField::index() const
{
    for (int i = 0; i < m_ds->fieldCount(); ++i)
        if (&m_ds->field(i) == this)
            return i;
    return -1;
}

void DataField::setDisplayLabel(const QString &label)
{
    m_label = label;
    emit m_ds->fieldsChanged();
}

void DataField::setDisplayWidth(int characters)
{
    m_displayWidth = qMax(0, characters);
    m_widthSet = true;
    emit m_ds->fieldsChanged();
}

void DataField::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    emit m_ds->fieldsChanged();
}

void DataField::setDisplayFormat(const QString &format)
{
    m_displayFormat = format;
    emit m_ds->fieldsChanged();
}

QVariant DataField::value() const
{
    if (m_column < 0 || m_ds->m_cur < 0)
        return QVariant();
    return m_ds->currentValues().value(m_column);
}

bool DataField::isNull() const
{
    return value().isNull();
}

QString DataField::textOf(const QVariant &v) const
{
    if (v.isNull() || !v.isValid())
        return QString();
    if (m_type == Type::Float || v.typeId() == QMetaType::Double)
        return NumberText::formatGeneral(v.toDouble());
    return v.toString();
}

QString DataField::displayTextOf(const QVariant &v) const
{
    if (v.isNull() || !v.isValid())
        return QString();
    if (!m_displayFormat.isEmpty() && isNumeric()) {
        QString s = QString::number(v.toDouble(), 'f', decimalsOf(m_displayFormat));
        return s.replace(QLatin1Char('.'), NumberText::decimalSeparator());
    }
    return textOf(v);
}

QString DataField::asString() const
{
    return textOf(value());
}

QString DataField::displayText() const
{
    return displayTextOf(value());
}

double DataField::asDouble() const
{
    const QVariant v = value();
    if (v.isNull() || !v.isValid())
        return 0.0;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        return s.trimmed().isEmpty() ? 0.0 : NumberText::toDouble(s);
    }
    return v.toDouble();
}

void DataField::setValue(const QVariant &v)
{
    m_ds->writeValue(*this, v);
}

void DataField::setAsString(const QString &text)
{
    switch (m_type) {
    case Type::Float:
        m_ds->writeValue(*this, text.trimmed().isEmpty() ? QVariant() : QVariant(NumberText::toDouble(text)));
        break;
    case Type::Integer:
        m_ds->writeValue(*this, text.trimmed().isEmpty() ? QVariant() : QVariant(NumberText::toInt32(text)));
        break;
    default:
        m_ds->writeValue(*this, text);
    }
}

void DataField::setAsDouble(double v)
{
    if (m_type == Type::String)
        m_ds->writeValue(*this, NumberText::formatGeneral(v));
    else
        m_ds->writeValue(*this, v);
}

// ---------------------------------------------------------------- DataSet

DataSet::DataSet(QObject *parent) : QObject(parent) {}

DataSet::~DataSet() = default;

void DataSet::setStatement(const QStringList &lines)
{
    close();
    m_statement = lines;
}

void DataSet::clearStatement()
{
    close();
    m_statement.clear();
}

void DataSet::addLine(const QString &line)
{
    close();
    m_statement.append(line);
}

void DataSet::bindValue(const QString &name, const QVariant &value)
{
    m_bindings.insert(name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name, value);
}

void DataSet::clearBindings()
{
    m_bindings.clear();
}

DataField &DataSet::declareField(const QString &name)
{
    if (DataField *f = findField(name)) {
        f->m_declared = true;
        return *f;
    }
    m_fields.push_back(std::unique_ptr<DataField>(new DataField(this, name)));
    m_fields.back()->m_declared = true;
    return *m_fields.back();
}

QSqlDatabase DataSet::resolve(QSqlDatabase db) const
{
    if (!db.isValid())
        db = Database::connection();
    if (!db.isValid() || !db.isOpen())
        throw AppError(tr("Keine Verbindung zur Datenbank."));
    return db;
}

// For a single-table "select * from <table> ..." the rowid is asked for as an extra first
// column; it becomes the row's key and is not a field.
QString DataSet::preparedStatement(QString *keyTable) const
{
    static const QRegularExpression single(
        QStringLiteral(R"(^(\s*select\s+)\*(\s+from\s+)("(?:[^"]|"")+"|\[[^\]]+\]|[A-Za-z_][\w]*)(.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression multi(
        QStringLiteral(R"(^\s*(,|(natural|inner|left|right|full|cross|join)\b))"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression compound(QStringLiteral(R"(\b(union|intersect|except|join)\b)"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QString text = statementText();
    const auto m = single.match(text);
    keyTable->clear();
    if (!m.hasMatch() || multi.match(m.captured(4)).hasMatch() || compound.match(m.captured(4)).hasMatch())
        return text;
    QString table = m.captured(3);
    if (table.startsWith(QLatin1Char('"')))
        table = table.mid(1, table.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
    else if (table.startsWith(QLatin1Char('[')))
        table = table.mid(1, table.size() - 2);
    *keyTable = table;
    return m.captured(1) + QLatin1String("rowid, *") + m.captured(2) + m.captured(3) + m.captured(4);
}

void DataSet::open(QSqlDatabase db)
{
    if (isActive())
        return;
    db = resolve(db);
    load(db);
    m_db = db;
    m_state = State::Browse;
    m_modified = false;
    rebuildView();
    m_cur = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    emit dataReset();
    emit fieldsChanged();
    emit stateChanged();
    emit afterOpen();
    emit afterScroll();
}

void DataSet::load(QSqlDatabase db)
{
    QString keyTable;
    const QString sql = preparedStatement(&keyTable);

    QSqlQuery q(db);
    q.setForwardOnly(true);
    run(q, sql);

    const QSqlRecord rec = q.record();
    const int first = keyTable.isEmpty() ? 0 : 1;
    const int columns = qMax(0, rec.count() - first);

    // Bind the fields: known ones keep their settings, order and address; declared ones
    // must exist; new columns are appended in statement order. Nothing changes until the
    // rows are read, so a failure leaves the data set as it was.
    std::vector<std::pair<DataField *, int>> plan;
    std::vector<bool> taken(size_t(columns), false);
    auto columnOf = [&](const QString &name) {
        for (int c = 0; c < columns; ++c)
            if (!taken[size_t(c)] && rec.fieldName(c + first).compare(name, Qt::CaseInsensitive) == 0)
                return c;
        return -1;
    };
    for (auto &f : m_fields) {
        const int c = columnOf(f->m_name);
        if (c < 0) {
            if (f->m_declared)
                throw AppError(tr("%1: Feld '%2' nicht gefunden").arg(objectName(), f->m_name));
            continue;
        }
        taken[size_t(c)] = true;
        plan.emplace_back(f.get(), c);
    }
    for (int c = 0; c < columns; ++c)
        if (!taken[size_t(c)])
            plan.emplace_back(nullptr, c);

    std::vector<Row> rows;
    while (q.next()) {
        Row r;
        if (first)
            r.rowid = q.value(0).toLongLong();
        r.values.reserve(columns);
        for (int c = 0; c < columns; ++c)
            r.values.append(q.value(c + first));
        rows.push_back(std::move(r));
    }
    if (q.lastError().isValid())
        throw AppError(driverText(q.lastError()));

    auto typeOf = [&](int c) {
        switch (rec.field(c + first).metaType().id()) {
        case QMetaType::Double:
        case QMetaType::Float:
            return DataField::Type::Float;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            return DataField::Type::Integer;
        case QMetaType::QString:
            return DataField::Type::String;
        default:
            return DataField::Type::Other;
        }
    };
    std::vector<std::unique_ptr<DataField>> fields;
    for (auto [known, c] : plan) {
        std::unique_ptr<DataField> f;
        if (known) {
            for (auto &owned : m_fields)
                if (owned.get() == known)
                    f = std::move(owned);
        } else {
            f.reset(new DataField(this, rec.fieldName(c + first)));
        }
        f->m_column = c;
        f->m_type = typeOf(c);
        if (!f->m_widthSet)
            f->m_displayWidth = f->isNumeric() ? 10 : 20;
        fields.push_back(std::move(f));
    }
    m_fields = std::move(fields);
    m_columnCount = columns;
    m_rows = std::move(rows);
    m_keyTable = keyTable;
}

void DataSet::close()
{
    if (!isActive())
        return;
    m_state = State::Inactive;
    m_db = QSqlDatabase();
    m_rows.clear();
    m_view.clear();
    m_buffer.clear();
    m_modified = false;
    m_cur = -1;
    m_bof = m_eof = true;
    emit dataReset();
    emit stateChanged();
    emit afterClose();
}

int DataSet::execute(QSqlDatabase db)
{
    db = resolve(db);
    QSqlQuery q(db);
    run(q, statementText());
    return q.numRowsAffected();
}

void DataSet::run(QSqlQuery &q, const QString &sql) const
{
    if (!q.prepare(sql))
        throw AppError(driverText(q.lastError()));
    for (auto it = m_bindings.cbegin(); it != m_bindings.cend(); ++it)
        if (sql.contains(it.key()))
            q.bindValue(it.key(), it.value());
    if (!q.exec())
        throw AppError(driverText(q.lastError()));
}

void DataSet::refresh()
{
    requireActive();
    checkBrowseMode();
    const Bookmark keep = bookmark();
    const int oldPos = m_cur;
    load(m_db);
    rebuildView();
    m_cur = -1;
    if (keep.isValid()) {
        for (size_t v = 0; v < m_view.size(); ++v) {
            const Row &r = m_rows[size_t(m_view[v])];
            if (keep.rowid >= 0 ? r.rowid == keep.rowid : m_view[v] == keep.rowIndex) {
                m_cur = int(v);
                break;
            }
        }
    }
    if (m_cur < 0 && !m_view.empty())
        m_cur = std::clamp(oldPos, 0, int(m_view.size()) - 1);
    m_bof = m_view.empty() || m_cur == 0;
    m_eof = m_view.empty();
    emit dataReset();
    emit fieldsChanged();
    emit stateChanged();
    emit afterScroll();
}

bool DataSet::canModify() const
{
    return isActive() && !m_readOnly && !m_keyTable.isEmpty();
}

void DataSet::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    emit stateChanged();
}

DataField &DataSet::field(int position) const
{
    if (position < 0 || position >= fieldCount())
        throw AppError(tr("%1: Feldindex %2 außerhalb des gültigen Bereichs").arg(objectName()).arg(position));
    return *m_fields[size_t(position)];
}

DataField *DataSet::findField(const QString &name) const
{
    for (const auto &f : m_fields)
        if (f->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

DataField &DataSet::fieldByName(const QString &name) const
{
    if (DataField *f = findField(name))
        return *f;
    throw AppError(tr("%1: Feld '%2' nicht gefunden").arg(objectName(), name));
}

QList<DataField *> DataSet::fields() const
{
    QList<DataField *> out;
    for (const auto &f : m_fields)
        out.append(f.get());
    return out;
}

QList<DataField *> DataSet::visibleFields() const
{
    QList<DataField *> out;
    for (const auto &f : m_fields)
        if (f->m_visible)
            out.append(f.get());
    return out;
}

void DataSet::moveField(DataField &f, int position)
{
    const int from = f.index();
    if (from < 0)
        return;
    position = std::clamp(position, 0, fieldCount() - 1);
    if (from == position)
        return;
    auto owned = std::move(m_fields[size_t(from)]);
    m_fields.erase(m_fields.begin() + from);
    m_fields.insert(m_fields.begin() + position, std::move(owned));
    emit fieldsChanged();
}

// ---------------------------------------------------------------- rows and filter

bool DataSet::rowPasses(const Row &row) const
{
    if (row.deleted)
        return false;
    for (const auto &c : m_criteria) {
        const DataField *f = findField(c.field);
        if (f && f->m_column >= 0 && !DataSetMatch::criterionMatches(*f, row.values.value(f->m_column), c))
            return false;
    }
    return !m_predicate || m_predicate(*this, row.values);
}

void DataSet::rebuildView()
{
    m_view.clear();
    m_view.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (rowPasses(m_rows[i]))
            m_view.push_back(int(i));
}

const QVariantList &DataSet::currentValues() const
{
    if (isEditing())
        return m_buffer;
    return m_rows[size_t(m_view[size_t(m_cur)])].values;
}

QVariant DataSet::valueAt(int row, const DataField &f) const
{
    if (row < 0 || row >= recordCount() || f.m_column < 0)
        return QVariant();
    if (row == m_cur && isEditing())
        return m_buffer.value(f.m_column);
    return m_rows[size_t(m_view[size_t(row)])].values.value(f.m_column);
}

QString DataSet::displayTextAt(int row, const DataField &f) const
{
    return f.displayTextOf(valueAt(row, f));
}

void DataSet::requireActive() const
{
    if (!isActive())
        throw AppError(tr("%1: Operation bei geschlossener Datenmenge nicht möglich").arg(objectName()));
}

void DataSet::requireEditing() const
{
    if (!isEditing())
        throw AppError(tr("%1: Datenmenge befindet sich nicht im Bearbeitungs- oder Einfügemodus").arg(objectName()));
}

void DataSet::setState(State s)
{
    if (m_state == s)
        return;
    m_state = s;
    emit stateChanged();
}

// A pending edit or insert is posted when changed and dropped when not, before the cursor
// moves; a refused post stops here with its exception.
void DataSet::checkBrowseMode()
{
    requireActive();
    if (!isEditing())
        return;
    if (m_modified)
        post();
    else
        cancel();
}

void DataSet::moveTo(int row, bool forceScroll)
{
    if (m_view.empty())
        return;
    row = std::clamp(row, 0, int(m_view.size()) - 1);
    const bool moved = row != m_cur;
    m_cur = row;
    if (moved || forceScroll)
        emit afterScroll();
}

void DataSet::first()
{
    checkBrowseMode();
    moveTo(0, true);
    m_bof = true;
    m_eof = m_view.empty();
}

void DataSet::last()
{
    checkBrowseMode();
    moveTo(int(m_view.size()) - 1, true);
    m_eof = true;
    m_bof = m_view.empty();
}

void DataSet::next()
{
    moveBy(1);
}

void DataSet::prior()
{
    moveBy(-1);
}

int DataSet::moveBy(int distance)
{
    checkBrowseMode();
    if (m_view.empty()) {
        m_bof = m_eof = true;
        return 0;
    }
    if (distance == 0)
        return 0;
    const int last = int(m_view.size()) - 1;
    const long target = long(m_cur) + distance;
    const int clamped = int(std::clamp<long>(target, 0, last));
    const int moved = clamped - m_cur;
    m_bof = target < 0;
    m_eof = target > last;
    moveTo(clamped, false);
    return moved;
}

void DataSet::setCurrentRow(int row)
{
    // Dropping an untouched new row shifts the rows after it up by one.
    const bool droppingInsert = m_state == State::Insert && !m_modified;
    const int insertPos = m_cur;
    checkBrowseMode();
    if (droppingInsert && row > insertPos)
        --row;
    if (m_view.empty())
        return;
    m_bof = m_eof = false;
    moveTo(row, false);
}

int DataSet::findRow(const DataField &f, const QString &text, DataSetMatch::MatchType match,
                     Qt::CaseSensitivity cs, int from) const
{
    for (int r = qMax(0, from); r < recordCount(); ++r)
        if (DataSetMatch::textMatches(f.textOf(valueAt(r, f)), text, match, cs))
            return r;
    return -1;
}

bool DataSet::locate(const QString &fieldName, const QVariant &value, LocateOptions options)
{
    requireActive();
    const DataField &f = fieldByName(fieldName);
    const Qt::CaseSensitivity cs = options.testFlag(CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const DataSetMatch::MatchType match = options.testFlag(Anywhere) ? DataSetMatch::MatchType::Anywhere
        : options.testFlag(PartialKey)                               ? DataSetMatch::MatchType::Beginning
                                                                     : DataSetMatch::MatchType::Exact;
    int found = -1;
    const bool numeric = value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Int
        || value.typeId() == QMetaType::LongLong;
    if (numeric && match == DataSetMatch::MatchType::Exact) {
        for (int r = 0; r < recordCount() && found < 0; ++r) {
            const QVariant v = valueAt(r, f);
            if (!v.isNull() && v.toDouble() == value.toDouble())
                found = r;
        }
    } else {
        found = findRow(f, value.isNull() ? QString() : f.textOf(value), match, cs, 0);
    }
    if (found < 0)
        return false;
    setCurrentRow(found);
    return true;
}

DataSet::Bookmark DataSet::bookmark() const
{
    if (m_cur < 0 || m_state == State::Insert)
        return {};
    const int index = m_view[size_t(m_cur)];
    return {m_rows[size_t(index)].rowid, index};
}

static int bookmarkRow(const std::vector<int> &view, const auto &rows, const DataSet::Bookmark &b)
{
    if (!b.isValid())
        return -1;
    for (size_t v = 0; v < view.size(); ++v) {
        const auto &r = rows[size_t(view[v])];
        if (b.rowid >= 0 ? r.rowid == b.rowid : view[v] == b.rowIndex)
            return int(v);
    }
    return -1;
}

bool DataSet::bookmarkValid(const Bookmark &b) const
{
    return isActive() && bookmarkRow(m_view, m_rows, b) >= 0;
}

bool DataSet::gotoBookmark(const Bookmark &b)
{
    requireActive();
    checkBrowseMode();
    const int row = bookmarkRow(m_view, m_rows, b);
    if (row < 0)
        return false;
    setCurrentRow(row);
    return true;
}

void DataSet::setFilter(RowPredicate predicate)
{
    m_predicate = std::move(predicate);
    if (!isActive())
        return;
    checkBrowseMode();
    const Bookmark keep = bookmark();
    rebuildView();
    m_cur = bookmarkRow(m_view, m_rows, keep);
    if (m_cur < 0)
        m_cur = m_view.empty() ? -1 : 0;
    m_bof = m_cur <= 0;
    m_eof = m_view.empty();
    emit dataReset();
    emit stateChanged();
    emit afterScroll();
}

void DataSet::setFilterCriteria(const QList<DataSetMatch::FilterCriterion> &criteria)
{
    QList<DataSetMatch::FilterCriterion> kept;
    for (const auto &c : criteria)
        if (!c.isEmpty())
            kept.append(c);
    // Range bounds on numeric fields are checked before anything changes.
    for (const auto &c : kept) {
        const DataField *f = findField(c.field);
        if (f && f->isNumeric() && c.byRange) {
            if (!c.minimum.isEmpty())
                NumberText::toDouble(c.minimum);
            if (!c.maximum.isEmpty())
                NumberText::toDouble(c.maximum);
        }
    }
    m_criteria = kept;
    setFilter(m_predicate);
}

void DataSet::clearFilter()
{
    m_criteria.clear();
    setFilter(nullptr);
}

// ---------------------------------------------------------------- editing

void DataSet::insert()
{
    requireActive();
    if (!canModify())
        throw AppError(tr("%1: Die Datenmenge kann nicht verändert werden").arg(objectName()));
    checkBrowseMode();
    const int pos = m_cur < 0 ? 0 : m_cur;
    Row r;
    r.values.resize(m_columnCount);
    emit rowAboutToBeInserted(pos);
    m_rows.push_back(std::move(r));
    m_view.insert(m_view.begin() + pos, int(m_rows.size()) - 1);
    m_cur = pos;
    m_buffer = m_rows.back().values;
    m_changedColumns = QList<bool>(m_buffer.size(), false);
    m_modified = false;
    m_bof = m_eof = false;
    m_state = State::Insert;
    emit rowInserted(pos);
    emit stateChanged();
    emit afterInsert();
    emit afterScroll();
}

void DataSet::edit()
{
    requireActive();
    if (isEditing())
        return;
    if (!canModify())
        throw AppError(tr("%1: Die Datenmenge kann nicht verändert werden").arg(objectName()));
    if (m_view.empty()) {
        insert();
        return;
    }
    m_buffer = m_rows[size_t(m_view[size_t(m_cur)])].values;
    m_changedColumns = QList<bool>(m_buffer.size(), false);
    m_modified = false;
    setState(State::Edit);
}

void DataSet::writeValue(DataField &f, const QVariant &v)
{
    requireActive();
    requireEditing();
    if (f.m_column < 0)
        return;
    m_buffer[f.m_column] = v;
    m_changedColumns[f.m_column] = true;
    m_modified = true;
    emit rowChanged(m_cur);
}

QString DataSet::quoted(const QString &name) const
{
    QString n = name;
    return QLatin1Char('"') + n.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

void DataSet::post()
{
    requireActive();
    if (!isEditing())
        return;
    if (m_beforePost)
        m_beforePost(*this); // may refuse; the row stays as it is

    Row &row = m_rows[size_t(m_view[size_t(m_cur)])];
    QSqlQuery q(m_db);
    QStringList columns;
    QVariantList values;
    for (const auto &f : m_fields) {
        const int c = f->m_column;
        if (c >= 0 && m_changedColumns.value(c)) {
            columns.append(quoted(f->m_name));
            values.append(m_buffer.value(c));
        }
    }
    if (m_state == State::Edit) {
        if (!columns.isEmpty()) {
            QStringList sets;
            for (const auto &c : columns)
                sets.append(c + QLatin1String(" = ?"));
            q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoted(m_keyTable), sets.join(QLatin1String(", "))));
            for (const auto &v : values)
                q.addBindValue(v);
            q.addBindValue(row.rowid);
            if (!q.exec())
                throw AppError(driverText(q.lastError()));
        }
    } else {
        if (columns.isEmpty()) {
            q.prepare(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_keyTable)));
        } else {
            QStringList marks(columns.size(), QStringLiteral("?"));
            q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(quoted(m_keyTable), columns.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
            for (const auto &v : values)
                q.addBindValue(v);
        }
        if (!q.exec())
            throw AppError(driverText(q.lastError()));
        row.rowid = q.lastInsertId().toLongLong();
    }
    row.values = m_buffer;
    m_buffer.clear();
    m_modified = false;
    m_state = State::Browse;
    emit rowChanged(m_cur);
    emit stateChanged();
    emit afterPost();
}

void DataSet::cancel()
{
    requireActive();
    if (!isEditing())
        return;
    const bool wasInsert = m_state == State::Insert;
    m_buffer.clear();
    m_modified = false;
    m_state = State::Browse;
    if (wasInsert) {
        // The pending new row is always the last one appended to the snapshot.
        const int pos = m_cur;
        emit rowAboutToBeRemoved(pos);
        m_view.erase(m_view.begin() + pos);
        m_rows.pop_back();
        m_cur = m_view.empty() ? -1 : std::min(pos, int(m_view.size()) - 1);
        m_bof = m_eof = m_view.empty();
        emit rowRemoved(pos);
        emit stateChanged();
        emit afterCancel();
        emit afterScroll();
    } else {
        emit rowChanged(m_cur);
        emit stateChanged();
        emit afterCancel();
    }
}

void DataSet::remove()
{
    requireActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_view.empty())
        throw AppError(tr("%1: Operation bei leerer Datenmenge nicht möglich").arg(objectName()));
    if (!canModify())
        throw AppError(tr("%1: Die Datenmenge kann nicht verändert werden").arg(objectName()));
    if (m_state == State::Edit)
        cancel();
    Row &row = m_rows[size_t(m_view[size_t(m_cur)])];
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_keyTable)));
    q.addBindValue(row.rowid);
    if (!q.exec())
        throw AppError(driverText(q.lastError()));
    const int pos = m_cur;
    emit rowAboutToBeRemoved(pos);
    row.deleted = true;
    row.values.clear();
    m_view.erase(m_view.begin() + pos);
    m_cur = m_view.empty() ? -1 : std::min(pos, int(m_view.size()) - 1);
    m_bof = m_view.empty() || m_cur == 0;
    // Removing the last row ends a walk through the rows.
    m_eof = m_view.empty() || pos == int(m_view.size());
    emit rowRemoved(pos);
    emit stateChanged();
    emit afterDelete();
    emit afterScroll();
}

// ---------------------------------------------------------------- layouts

QList<FieldLayout> DataSet::fieldLayouts() const
{
    QList<FieldLayout> out;
    for (int i = 0; i < fieldCount(); ++i) {
        const DataField &f = *m_fields[size_t(i)];
        out.append({f.m_name, i, f.m_displayWidth, f.m_visible});
    }
    return out;
}

void DataSet::applyFieldLayouts(const QList<FieldLayout> &layouts)
{
    QList<FieldLayout> sorted;
    for (const auto &l : layouts) {
        if (DataField *f = findField(l.fieldName)) {
            f->m_displayWidth = qMax(0, l.displayWidth);
            f->m_widthSet = true;
            sorted.append(l);
        }
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const FieldLayout &a, const FieldLayout &b) { return a.position < b.position; });
    QSignalBlocker block(this);
    for (const auto &l : sorted)
        moveField(*findField(l.fieldName), l.position);
    block.unblock();
    emit fieldsChanged();
}
