// The facility record attached to a chart object (an XML file) as an HTML body of tables:
// facility data, address, contact, radio communication, remarks and the time schedule.
// Element names match in any case, with or without the "openecdis:" prefix. The file is
// read whole with Qt's stream reader: no DTD and no external entity is ever fetched. Every
// value goes into the page as text. Pure; any thread.
#pragma once

#include <QString>
#include <vector>

// One element of a record: its name in lower case without the prefix, and its text when it
// holds only text (empty otherwise).
struct TFacilityElement {
    QString Name;
    QString Text;
    std::vector<TFacilityElement> Children;
};

// Reads the whole file into root. False with error = the file, the line and the parser's
// message when it is missing or not well-formed.
bool ReadFacilityFile(const QString &file, TFacilityElement &root, QString &error);

// The body part of the record's page (tables only); a root other than "facility" gives a
// closed empty table.
QString FacilityBody(const TFacilityElement &root);

// The body part built from the file; False with the reader's error when it cannot be read.
bool BuildFacilityPage(const QString &file, QString &html, QString &error);
