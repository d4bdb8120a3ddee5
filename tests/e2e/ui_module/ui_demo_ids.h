// Ids of the demonstration module's resources.
#define IDD_DEMO 300
#define IDC_DEMO_NAME 301
#define IDC_DEMO_HEIGHT 302
#define IDC_DEMO_LIST 303
#define IDC_DEMO_PICK 304
#define IDC_DEMO_PICKED 305
#define IDD_DEMO_PALETTE 310
#define IDC_DEMO_PALETTE_HELLO 311
