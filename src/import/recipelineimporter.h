#pragma once

#include "import/lineimporter.h"

// Lines of a recipe file into T_Farben. Columns of a line:
//  1 name (the key), 2/3 colour/share 1, 4/5 pair 2, 6/7 pair 3, 8/9 pair 4, 10/11 pair 5,
//  12 "Anteil gesamt", 13 Farbtyp, 14 Beschreibung, 15 Bemerkung; later fields are ignored.
// A line with the name of a stored recipe overwrites every column of the first such
// recipe but the name (pair 6 included, which a file cannot fill); otherwise it adds one.
// Components 1 to 5 are then put in descending order of share.
class RecipeLineImporter : public LineImporter
{
public:
    explicit RecipeLineImporter(const QSqlDatabase &db) : LineImporter(db) {}
    int minimumFields() const override { return 4; }

protected:
    LineResult writeFields(const QStringList &fields) override;
};
