#pragma once

#include <QList>
#include <QString>

// The column layout of a data set's fields as the settings file keeps it:
// one key per field, "<query name><field name>" = "position,width,visible".
struct FieldLayout
{
    QString fieldName;
    int position = 0;     // among all fields, from 0
    int displayWidth = 0; // in characters
    bool visible = true;
};

// Implemented by whatever owns the fields (the data set); the form storage reads and
// applies layouts through it.
class FieldLayoutTarget
{
public:
    virtual ~FieldLayoutTarget() = default;
    // Prefix of every key, the query's name ("ADOQuery1").
    virtual QString layoutKeyPrefix() const = 0;
    // Every field in its current order, hidden ones included.
    virtual QList<FieldLayout> fieldLayouts() const = 0;
    // Applies widths, then puts the fields into the order of the given positions.
    // Visibility is not applied.
    virtual void applyFieldLayouts(const QList<FieldLayout> &layouts) = 0;
};
