// The about box: the program's icon, name, version, maker and description.
#pragma once

#include "core/base/Language.h"

#include <QDialog>

class QLabel;

namespace titralab {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    // `programName` is the executable's name without extension; the texts are in `language`.
    AboutBox(Language language, const QString& programName, const QIcon& icon,
             QWidget* parent = nullptr);

    // The picture follows the burette side's icon.
    void setSideIcon(const QIcon& icon);

  private:
    QLabel* m_icon{nullptr};
};

} // namespace titralab
