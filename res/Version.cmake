# The program's version data, used for the application's version and the
# desktop entry.
set(LUMERA_FILE_VERSION "2.2.0.1")
set(LUMERA_PRODUCT_VERSION "2.2")
set(LUMERA_FILE_DESCRIPTION "Lumera Application")
set(LUMERA_PRODUCT_NAME "Lumera Application")
set(LUMERA_INTERNAL_NAME "Lumera32")
set(LUMERA_ORIGINAL_FILENAME "Lumera32.EXE")
set(LUMERA_COMMENTS "Randomily displays bible verses.")
# The desktop entry's name (without .desktop), which is also the program's
# app id on Wayland.
set(LUMERA_APP_ID org.orvane.Lumera)
set(LUMERA_COMPANY_NAME "Orvane Press")
set(LUMERA_LEGAL_COPYRIGHT "Freeware by Orvane Press")
# The metainfo's screenshot of the main window, as the build names it.
set(LUMERA_SCREENSHOT_FILE ${LUMERA_APP_ID}-main-window.png)
