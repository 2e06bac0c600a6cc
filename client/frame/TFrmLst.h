// The main shell: top bar with logo and commands, the navigation column,
// the host panel Frm_tk that holds one module window at a time, and the
// status line naming the user.
#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QSpacerItem;
class QVBoxLayout;

namespace rw::client {
class ClickLabel;
}

class TFrmLst : public QWidget {
    Q_OBJECT
public:
    // A row of the navigation table.
    struct Entry;

    explicit TFrmLst(QWidget* parent = nullptr);

    QLabel* Label1;   // "当前用户：" + who
    QLineEdit* Edit1; // role: "1" administrator's view, "2" ordinary user's
    QWidget* Frm_tk;  // the host panel

    // The window docked now, if any.
    QWidget* dockedWindow() const;

    // The navigation, as clicks on the groups and their entries.
    void g_pClick();
    void RzPanel19Click();
    void RzPanel14Click();
    void entryClick(const QString& entryName);

    void RzGlyphStatus3Click(); // 密码修改
    void RzGlyphStatus1Click(); // 注销
    void RzGlyphStatus2Click(); // 退出
    void Image1Click();         // logo

signals:
    void loggedOut();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    QWidget* buildTopBar();
    QWidget* buildNavigation();
    QWidget* buildStatusLine();
    void openGroup(QWidget* group);
    void openEntry(const Entry& entry);

    QWidget* pp1;
    QWidget* pp2;
    QWidget* pp3;
    QWidget* RzPanel80;
    QWidget* gw_p;
    QWidget* srl_p;
    QVBoxLayout* m_column = nullptr;
    QSpacerItem* m_gap = nullptr;
    bool m_shown = false;
    bool m_leaving = false;
};
