#pragma once

#include "import/lineimporter.h"

// Lines of an ink consumption file into T_Farbverbrauch. Columns of a line:
//  1 mesh (the key, "Siebgewebe"), 2 reference area "Druckfläche" in m²,
//  3 "Farbverbrauch" in litres for that area; later fields are ignored.
// A line with the mesh of a stored row overwrites the first such row: every column after
// the first in the table's order is emptied, then the line's values are written.
class ConsumptionLineImporter : public LineImporter
{
public:
    // Reads the table's column order from db; raises AppError when the table is missing.
    explicit ConsumptionLineImporter(const QSqlDatabase &db);
    int minimumFields() const override { return 3; }

protected:
    LineResult writeFields(const QStringList &fields) override;

private:
    QStringList m_columns; // the table's columns in its own order
};
