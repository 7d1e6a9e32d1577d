#include "CARNELIS.h"

#include "DialogServices.h"
#include "LineShape.h"
#include "MainTexts.h"
#include "Twips.h"

#include <QIcon>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPixmap>

namespace carnelis {

using namespace shell;

namespace {

QLabel *makeLabel(QWidget *parent, const char *name, QRect geometry, const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void paint(QLabel *label, const QColor &background, const QColor &text = Qt::black)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

QFont sansSerif(double points)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(fontPx(points));
    return font;
}

QPixmap stampPicture()
{
    return QPixmap(QStringLiteral(":/carnelis/timbre.png"));
}

} // namespace

CARNELIS::CARNELIS(AppContext &context) : ctx(context)
{
    setObjectName(QStringLiteral("CARNELIS"));
    setWindowTitle(windowCaption());
    const QPixmap stamp = stampPicture();
    if (!stamp.isNull())
        setWindowIcon(QIcon(stamp));

    auto *client = new QWidget(this);
    client->setFixedSize(px(8535), px(6300));
    client->setFont(sansSerif(8.25));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setFocusPolicy(Qt::StrongFocus);

    Label1 = makeLabel(client, "Label1", pxRect(120, 120, 8292, 612));
    paint(Label1, QColor(0xC0, 0xFF, 0xFF));

    Label2 = makeLabel(client, "Label2", pxRect(120, 840, 8295, 3195), titleCaption());
    paint(Label2, QColor(0xFF, 0xE0, 0xC0), QColor(0xFF, 0x00, 0x00));
    QFont title(QStringLiteral("Z003"));
    title.setPixelSize(fontPx(72));
    title.setItalic(true);
    Label2->setFont(title);

    Label3 = makeLabel(client, "Label3", pxRect(240, 4440, 4455, 1575));
    Label3->setFont(sansSerif(9.75));

    Label4 = makeLabel(client, "Label4", pxRect(5520, 3720, 2775, 255));
    paint(Label4, QColor(0xFF, 0xE0, 0xC0), QColor(0x00, 0x00, 0xFF));

    Image1 = makeLabel(client, "Image1", pxRect(5040, 4080, 3375, 2130));
    Image1->setWordWrap(false);
    Image1->setPixmap(stamp);

    Line1 = new LineShape(client, 120, 0, 8403, 0, QColor(0x00, 0x00, 0x80), 3);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line2 = new LineShape(client, 120, 4440, 120, 6122, QColor(0x00, 0x00, 0xFF), 3);
    Line2->setObjectName(QStringLiteral("Line2"));
    Line3 = new LineShape(client, 120, 721, 240, 721);
    Line3->setObjectName(QStringLiteral("Line3"));
    Line4 = new LineShape(client, 120, 6120, 4802, 6120, QColor(0x00, 0x00, 0xFF), 3);
    Line4->setObjectName(QStringLiteral("Line4"));

    const auto entry = [this](const char *name, const QString &caption, void (CARNELIS::*handler)()) {
        QAction *action = menuBar()->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, handler] { guarded(ctx.dialogs, [&] { (this->*handler)(); }); });
        return action;
    };
    Base = entry("Base", menuBase(), &CARNELIS::Base_Click);
    Lire = entry("Lire", menuLire(), &CARNELIS::Lire_Click);
    Propos = entry("Propos", menuPropos(), &CARNELIS::Propos_Click);
    Quitter = entry("Quitter", menuQuitter(), &CARNELIS::Quitter_Click);
}

void CARNELIS::Form_Load()
{
    RepertoireAppli = withTrailingSeparator(ctx.dialogs.AppPath());
    Label1->setText(warningText());
    Label3->setText(welcomeText());
    Label4->setText(QStringLiteral("  "));
    ctx.dialogs.SetCursorPos(180, 118);
}

void CARNELIS::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    int16_t keyAscii = event->key() == Qt::Key_Escape ? int16_t(27)
                             : text.isEmpty()                ? int16_t(0)
                                                             : int16_t(text.at(0).unicode());
    if (keyAscii == 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    guarded(ctx.dialogs, [&] { Form_KeyPress(keyAscii); });
}

void CARNELIS::closeEvent(QCloseEvent *event)
{
    // The frame's close button unloads this window only; the program goes on as long as
    // another of its windows is open.
    event->accept();
    if (ctx.carnelis.get() == this)
        guarded(ctx.dialogs, [&] { ctx.carnelis.Unload(); });
}

void CARNELIS::Form_KeyPress(int16_t &KeyAscii)
{
    if (KeyAscii == 27)
        End();
}

void CARNELIS::Base_Click()
{
    ctx.chooser.Show();
}

void CARNELIS::Lire_Click()
{
    if (ctx.dialogs.OpenDocument(RepertoireAppli + helpFileName()))
        return;
    ctx.dialogs.Beep();
    ctx.dialogs.MsgBox(helpMissingPrompt(), helpMissingStyle, helpMissingTitle());
}

void CARNELIS::Propos_Click()
{
    ctx.dialogs.MsgBox(aboutText(), aboutStyle, aboutTitle());
}

void CARNELIS::Quitter_Click()
{
    End();
}

} // namespace carnelis
