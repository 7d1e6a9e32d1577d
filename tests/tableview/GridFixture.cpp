#include "GridFixture.h"
#include "TestFiles.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

namespace carnelis::test {

GridFixture::GridFixture(PrinterDevice *device) : WindowDriver(device)
{
    chooser.setFactory([this] { return std::make_unique<CountingForm>(chooserLoads); });
    grid.setFactory([this] { return std::make_unique<FRMGRID>(ctx); });
}

void GridFixture::choose(const QString &table, int16_t colonneTri, const QString &condition, const QString &critere)
{
    std::tie(selection.RepertoireMdb, selection.NomFichierMdb, selection.NomTable, selection.ColonneTri,
             selection.ConditionTri, selection.CritereTri, selection.ResumeCriteres) =
        std::tuple(dir.path(), QStringLiteral("COLLECTION.MDB"), table, colonneTri, condition, critere,
                   QStringLiteral(" Toutes les lignes"));
}

FRMGRID *GridFixture::open()
{
    try {
        grid.Show();
    } catch (const RuntimeError &) {
        return nullptr;
    }
    return &view();
}

bool GridFixture::show(const Rows &rows)
{
    writeCollection(path(), QStringLiteral("TIMBRES"), rows);
    choose(QStringLiteral("TIMBRES"));
    return open() != nullptr;
}

QStringList GridFixture::inFile(const QString &table, const QString &column)
{
    return quotedValues(path(), "SELECT ifnull(" + column + ", '<null>') FROM " + table + " ORDER BY rowid", false);
}

QStringList GridFixture::shownColumn(int column)
{
    QStringList values;
    for (int r = 0; r < model().rowCount(); ++r)
        values << model().index(r, column).data().toString();
    return values;
}

void GridFixture::clickCell(int row, int column)
{
    const QModelIndex index = model().index(row, column);
    table().scrollTo(index);
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, table().visualRect(index).center());
}

void GridFixture::clickSelector(int row, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(table().verticalHeader()->viewport(), Qt::LeftButton, modifiers,
                      QPoint(8, table().rowViewportPosition(row) + table().rowHeight(row) / 2));
}

void GridFixture::typeInto(int row, int column, const QString &text)
{
    const QModelIndex index = model().index(row, column);
    if (table().currentIndex() != index)
        clickCell(row, column);
    table().edit(index);
    auto *editor = qobject_cast<QLineEdit *>(table().gridDelegate()->openEditor());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    // Typed key by key, accented letters included, so that the editor sees what a
    // keyboard gives it.
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace carnelis::test
