// Rankwise: the login window opens; everything else follows from a login.
#include "frame/TFrmlog.h"
#include "frame/look.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    rw::client::look::installFontSubstitutes();
    app.setFont(rw::client::look::songti(12));
    // The login window ends the program, not the last window to close.
    app.setQuitOnLastWindowClosed(false);

    TFrmlog login;
    login.show();
    return app.exec();
}
