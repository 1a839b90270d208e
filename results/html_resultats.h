#pragma once
// The results as a small web site: an index page at the chosen path that leads to the first
// event's page, a folder "rep_res" beside it with one page per event, a menu script per sex
// built from the application folder's lists, and the page script and style sheet.

#include "results/donnees_resultats.h"

// False when the user declined to write into an existing "rep_res", or nothing was written.
// Throws ErreurExecution when a file cannot be written.
bool Exporter_resultats_html(const DonneesResultats& d, const QString& cheminIndex);

// The text with "&", "<" and ">" written as entities.
QString Echapper_html(const QString& texte);
