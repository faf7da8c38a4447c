#pragma once

#include <QObject>

class tst_help : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    // Help
    void helpFilePath_data();
    void helpFilePath();
    void showCommands_data();
    void showCommands();
    void helpFileNumberWithoutFile();
    void unusableHelpFile_data();
    void unusableHelpFile();
    void missingTopicAndLinks();
    void indexAndSearchTabs();
    void helpWindowsNamedForScreenReaders();
    void builtHelpFileIsComplete();
    void helpCoversTheProgram_data();
    void helpCoversTheProgram();
    void sitemapParsing_data();
    void sitemapParsing();
    void topicPath_data();
    void topicPath();
    void helpArchive_data();
    void helpArchive();
    void helpReader_data();
    void helpReader();
    void otherHelpFile();

    // Rich-text box
    void readRtf_data();
    void readRtf();
    void loadFile();
    void documentLimits_data();
    void documentLimits();

    // About box and agreement viewer
    void aboutLabels();
    void aboutLastUpdated_data();
    void aboutLastUpdated();
    void showAboutStatusTexts();
    void agreementLoad_data();
    void agreementLoad();
    void agreementResize();
    void agreementPrint_data();
    void agreementPrint();
};
