#pragma once

#include <QMainWindow>

// Creates the ten menu-lock collections.
void Initialiser_verrous_menus();

// The main window (placeholder until its menus are built).
class FrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmPrincipal(QWidget* parent = nullptr);
};
