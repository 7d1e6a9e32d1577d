#include "FrmUniteControls.h"

#include "ClickList.h"
#include "CriteriaPanel.h"
#include "DriveList.h"
#include "FileList.h"
#include "FolderList.h"
#include "WindowKit.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace carnelis {

namespace {

QRect twips(int left, int top, int width, int height) { return kit::twipsRect(left, top, width, height); }

QFont sansSerif(double points) { return kit::designFont(kit::Face::Sans, points); }

void colour(QWidget *w, std::optional<QColor> background, QColor text = Qt::black)
{
    QPalette palette = w->palette();
    if (background) {
        palette.setColor(QPalette::Window, *background);
        palette.setColor(QPalette::Base, *background);
        palette.setColor(QPalette::Button, *background);
        w->setAutoFillBackground(true);
    }
    // A disabled control shows its text in a grey that stays readable on the grey frames.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Active, role, text);
        palette.setColor(QPalette::Inactive, role, text);
        palette.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    }
    w->setPalette(palette);
}

template <typename W, typename... Args>
W *make(QWidget *parent, const QString &name, const QRect &geometry, Args &&...args)
{
    W *w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}

QGroupBox *frame(QWidget *parent, const QString &name, const QRect &geometry, const QString &caption,
                 std::optional<QColor> background, QColor text = Qt::black)
{
    auto *box = make<QGroupBox>(parent, name, geometry, caption);
    box->setFont(sansSerif(9.75));
    colour(box, background, text);
    return box;
}

template <size_t N>
void optionArray(std::array<QRadioButton *, N> &buttons, QGroupBox *frame, const QString &name,
                 const QStringList &captions, int left, int width, QColor background)
{
    for (size_t k = 0; k < N; ++k) {
        auto *button = make<kit::OptionButton>(frame, name + u'_' + QString::number(k),
                                               twips(left, 360 + 360 * int(k), width, 252), captions.at(int(k)));
        // The design's size, in a narrow face: Liberation Sans is wider than the design's
        // MS Sans Serif, and "Est plus Grand que" would not fit its button.
        button->setFont(kit::designFont(kit::Face::SansNarrow, 9.75));
        colour(button, background);
        buttons[k] = button;
    }
}

} // namespace

FrmUniteControls::FrmUniteControls(QWidget *client)
{
    client->setFixedSize(ClientWidth, ClientHeight);
    client->setFont(sansSerif(8.25));
    colour(client, QColor(0xE0, 0xE0, 0xE0));

    Drive1 = make<DriveList>(client, QStringLiteral("Drive1"), twips(840, 120, 1692, 288));
    colour(Drive1, QColor(0xFF, 0xFF, 0xC0));
    Dir1 = make<FolderList>(client, QStringLiteral("Dir1"), twips(720, 600, 2052, 4176));
    colour(Dir1, QColor(0xFF, 0xE0, 0xC0));

    Frame1 = frame(client, QStringLiteral("Frame1"), twips(3000, 120, 1932, 1572), QStringLiteral(" Fichiers MDB. "),
                   QColor(0xFF, 0x80, 0x00), QColor(0x00, 0x00, 0xFF));
    File1 = make<FileList>(Frame1, QStringLiteral("File1"), twips(120, 360, 1692, 810));
    File1->setFont(sansSerif(8.25));
    colour(File1, QColor(0xFF, 0xC0, 0x80));

    Frame2 = frame(client, QStringLiteral("Frame2"), twips(5280, 120, 2172, 1572), QStringLiteral(" Tables."),
                   QColor(0xFF, 0x80, 0x00), QColor(0x00, 0x00, 0xFF));
    List1 = make<ClickList>(Frame2, QStringLiteral("List1"), twips(120, 360, 1812, 810));
    List1->setFont(sansSerif(8.25));
    colour(List1, QColor(0xC0, 0xFF, 0xFF));

    CmdOuvrir = make<kit::CommandButton>(client, QStringLiteral("CmdOuvrir"), twips(7800, 600, 1452, 492),
                                         QStringLiteral("&Ouvrir"));
    CmdOuvrir->setFont(sansSerif(9.75));
    CmdOuvrir->setEnabled(false);

    Frame3 = frame(client, QStringLiteral("Frame3"), twips(2880, 2160, 2412, 3972),
                   QStringLiteral(" 1er critère de Tri. "), std::nullopt);
    optionArray(Option1, Frame3, QStringLiteral("Option1"), CriteriaPanel::columnCaptions(), 240, 2004,
                QColor(0xFF, 0xFF, 0xC0));
    for (int k = 7; k < 10; ++k) {
        Option1[k]->setGeometry(twips(240, 360 + 360 * k, 1524, 252));
        Option1[k]->setEnabled(false);
        Option1[k]->hide(); // nothing refers to them
    }

    Frame4 = frame(client, QStringLiteral("Frame4"), twips(5400, 2160, 2292, 3972),
                   QStringLiteral(" Second critère de Tri. "), QColor(0xC0, 0xC0, 0xC0));
    Frame4->setEnabled(false);
    optionArray(Option2, Frame4, QStringLiteral("Option2"), CriteriaPanel::conditionCaptions(), 360, 1644,
                QColor(0xC0, 0xFF, 0xC0));

    Label2 = make<QLabel>(client, QStringLiteral("Label2"), twips(7800, 2160, 1572, 612),
                          QStringLiteral("    Critère additionn       et facultatif relatif à   la cote."));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    colour(Label2, std::nullopt, QColor(0x00, 0x00, 0xFF));

    Frame5 = frame(client, QStringLiteral("Frame5"), twips(7800, 2880, 1572, 1932), QStringLiteral("  Et Cote ... "),
                   QColor(0xC0, 0xC0, 0xC0));
    Frame5->setEnabled(false);
    optionArray(Option3, Frame5, QStringLiteral("Option3"), CriteriaPanel::coteCaptions(), 240, 1092,
                QColor(0xC0, 0xFF, 0xFF));

    Command1 = make<kit::CommandButton>(client, QStringLiteral("Command1"), twips(7800, 5280, 1572, 492),
                                        QStringLiteral("Rafraîchir"));
    Command1->setFont(sansSerif(9.75));
    Command1->setEnabled(false);

    LabCarnelis =
        make<QLabel>(client, QStringLiteral("LabCarnelis"), twips(72, 5160, 2772, 732), QStringLiteral("Carnelis"));
    QFont title = kit::designFont(kit::Face::Serif, 24);
    title.setBold(true);
    LabCarnelis->setFont(title);
    LabCarnelis->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    colour(LabCarnelis, QColor(0xC0, 0xC0, 0xC0), QColor(0xFF, 0x00, 0x00));

    LabAide = make<QLabel>(client, QStringLiteral("LabAide"), twips(0, 6295, 9996, 252));
    LabAide->setFont(sansSerif(9.75));
    LabAide->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabAide->setTextFormat(Qt::PlainText);
    colour(LabAide, QColor(0xFF, 0xE0, 0xC0));

    Label1 = make<QLabel>(client, QStringLiteral("Label1"), twips(1, 6528, 10000, 132));
    colour(Label1, QColor(0xFF, 0x00, 0x00));

    Line1 = new kit::Line(client, 480, 600, 480, 4798, QColor(0x00, 0x00, 0xFF), 10);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line2 = new kit::Line(client, 2882, 1919, 9486, 1919, QColor(0x00, 0x00, 0xFF), 4);
    Line2->setObjectName(QStringLiteral("Line2"));

    // Focus order: the lists and the buttons, then the three groups by index.
    QList<QWidget *> order{Drive1, Dir1, File1, CmdOuvrir, Command1, List1};
    for (QRadioButton *b : Option1)
        order << b;
    for (QRadioButton *b : Option2)
        order << b;
    for (QRadioButton *b : Option3)
        order << b;
    for (QWidget *w : order)
        w->setFocusPolicy(w->focusPolicy() == Qt::NoFocus ? Qt::StrongFocus : w->focusPolicy());
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    for (QGroupBox *box : {Frame1, Frame2, Frame3, Frame4, Frame5})
        box->setFocusPolicy(Qt::NoFocus);
    kit::showChoice(Option1, 0);
    kit::showChoice(Option2, std::nullopt);
    kit::showChoice(Option3, std::nullopt);
}

} // namespace carnelis
