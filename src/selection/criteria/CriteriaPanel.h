#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace carnelis {

class DialogServices;
struct SelectionState;

// The three option groups of the chooser (column, condition, comparison on COTE), the
// help line that spells the criteria out, and the reset levels. Plain C++: the window
// mirrors this state on its buttons, frames and label, and forwards the clicks here.
class CriteriaPanel {
public:
    enum Group { Column = 0, Condition = 1, Cote = 2 };

    // Captions exactly as shown; the handlers build text from them.
    static const QStringList &columnCaptions();    // Option1: 0..6, then three unused "Option1"
    static const QStringList &conditionCaptions(); // Option2: 0..9
    static const QStringList &coteCaptions();      // Option3: 0..3

    CriteriaPanel(SelectionState &selection, DialogServices &dialogs);

    // Called whenever something the window shows has changed (also before a prompt, so
    // the help line is current while the user types).
    std::function<void()> changed;
    // "Give the Open button the focus if it is enabled": the window knows the button.
    std::function<void()> focusOpenButton;

    // A button chosen from code: its click runs only when it was not chosen already.
    void choose(Group group, int16_t index);
    // The user clicked a button: it becomes the chosen one of its group, and its click runs.
    void userClick(Group group, int16_t index);

    void Option1_Click(int16_t Index);
    void Option2_Click(int16_t Index);
    void Option3_Click(int16_t Index);
    // Deselects the groups that Niveau names (0 all, 1 condition and COTE, 2 COTE only),
    // without running any click, and puts Niveau back to 0.
    void Effacement();

    // The Refresh button empties the four help pieces.
    void clearHelpPieces();
    void setLabAide(const QString &text);

    std::optional<int16_t> chosen(Group group) const { return chosen_[group]; }
    bool frame4Enabled() const { return frame4Enabled_; }
    bool frame5Enabled() const { return frame5Enabled_; }
    const QString &labAide() const { return labAide_; }

    uint8_t Niveau = 0;
    QString AideColonne;
    QString AideCondition;
    QString AideCritere;
    QString AideCote;

private:
    void notify();
    void deselect(Group group) { chosen_[group].reset(); }

    SelectionState &selection_;
    DialogServices &dialogs_;
    // " TOUT" is chosen when the window is created; the other groups start empty and off.
    std::array<std::optional<int16_t>, 3> chosen_{int16_t(0), std::nullopt, std::nullopt};
    bool frame4Enabled_ = false;
    bool frame5Enabled_ = false;
    QString labAide_;
};

} // namespace carnelis
