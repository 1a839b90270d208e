#pragma once

#include <QMainWindow>

// The main window (placeholder until its menus are built).
class FrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmPrincipal(QWidget* parent = nullptr);
};
