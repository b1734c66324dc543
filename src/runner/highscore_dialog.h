#pragma once
// The high-score table in a small window of its own: ten places, the new
// entry in its own colour, over the background picture if there is one,
// closed with its button or Esc.

#include <QDialog>
#include <QImage>

#include "engine/highscore_table.h"

namespace kestrin::runner {

class HighscoreDialog : public QDialog {
public:
    HighscoreDialog(const engine::HighscoreTable& table, int newPlace, const engine::HighscoreLook& look,
                    const QImage& background = {}, QWidget* parent = nullptr);
};

}  // namespace kestrin::runner
