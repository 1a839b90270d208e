#pragma once

// The process entry once Qt is up: prepares the process-wide state and shows the main window.
void Main();
