// The about box: the program's icon, name, version, maker and description.
#pragma once

#include <QDialog>

class QLabel;

namespace titralab {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    // `programName` is the executable's name without extension.
    AboutBox(const QString& programName, const QIcon& icon, QWidget* parent = nullptr);

    // The picture follows the burette side's icon.
    void setSideIcon(const QIcon& icon);

  private:
    QLabel* m_icon{nullptr};
};

} // namespace titralab
