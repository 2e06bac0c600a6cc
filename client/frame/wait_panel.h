// The waiting panel "请稍等。。。" shown over a window while a request runs;
// it keeps itself in the middle of its parent.
#pragma once

#include <QLabel>

namespace rw::client {

class WaitPanel : public QLabel {
    Q_OBJECT
public:
    explicit WaitPanel(QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centre();
};

} // namespace rw::client
