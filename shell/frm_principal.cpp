#include "shell/frm_principal.h"

#include "core/globales.h"

#include <QMdiArea>
#include <QStatusBar>

FrmPrincipal::FrmPrincipal(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmPrincipal");
    setWindowTitle("Quorvelane");
    setCentralWidget(new QMdiArea(this));
    statusBar();
    resize(900, 640);
}
