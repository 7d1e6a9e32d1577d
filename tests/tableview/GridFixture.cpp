#include "GridFixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

namespace carnelis::test {

namespace {

// Stands for the chooser: the view only shows it again when it closes.
class ChooserWindow : public QWidget, public Form {
public:
    explicit ChooserWindow(int &loads) : loads_(loads) {}
    QWidget *widget() override { return this; }
    void Form_Load() override { ++loads_; }

private:
    int &loads_;
};

} // namespace

GridFixture::GridFixture(PrinterDevice *device) : WindowDriver(device)
{
    chooser.setFactory([this] { return std::make_unique<ChooserWindow>(chooserLoads); });
    grid.setFactory([this] { return std::make_unique<FRMGRID>(ctx); });
}

void GridFixture::choose(const QString &table, int16_t colonneTri, const QString &condition, const QString &critere)
{
    selection.RepertoireMdb = dir.path();
    selection.NomFichierMdb = QStringLiteral("COLLECTION.MDB");
    selection.NomTable = table;
    selection.ColonneTri = colonneTri;
    selection.ConditionTri = condition;
    selection.CritereTri = critere;
    selection.ResumeCriteres = QStringLiteral(" Toutes les lignes");
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
    DataControl data;
    data.DatabaseName = path();
    data.RecordSource = QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY NUMERO");
    data.Refresh();
    Recordset &rs = *data.recordset();
    const int c = int(rs.columnNames().indexOf(column));
    QStringList values;
    for (int i = 0; i < rs.RecordCount(); ++i) {
        const Value v = rs.valueAt(i, c);
        values << (v.isNull() ? QStringLiteral("<null>") : v.toDisplayText(QLocale::c()));
    }
    data.database()->Close();
    return values;
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
