#include "searchfixture.h"

#include <QApplication>
#include <QTest>

int runWindowTests(int argc, char **argv);
int runSelectionTests(int argc, char **argv);
int runDialogTests(int argc, char **argv);
int runQueryTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    searchtest::mainWindow();
    int failures = 0;
    failures += runWindowTests(argc, argv);
    failures += runSelectionTests(argc, argv);
    failures += runDialogTests(argc, argv);
    failures += runQueryTests(argc, argv);
    return failures;
}
