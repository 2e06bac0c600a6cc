// A navigation group header or entry: icon, caption, click.
#pragma once

#include <QFrame>

class QLabel;

namespace rw::client {

class NavPanel : public QFrame {
    Q_OBJECT
public:
    enum Kind { Header, Entry };
    NavPanel(Kind kind, const QString& name, const QString& caption, QWidget* parent = nullptr);

    QString caption() const;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_caption;
    QColor m_border;
};

} // namespace rw::client
