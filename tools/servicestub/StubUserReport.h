// The user-data service's report as the stub takes it: a multipart/form-data POST of the
// report's fields and, when there is one, its screenshot. The stub records the form's text
// parts as the request's fields and a file part as {"filename", "type", "size", "jpeg"}.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace servicestub {

class TServiceStub;

// The parts of a multipart/form-data body; false when the content type is not that.
bool ParseFormData(const QString &contentType, const QByteArray &body, QJsonObject &fields);

// "userdata/report": a report without text is refused (400), as is a screenshot that is
// not a JPEG picture; any other report is taken (result 0).
void RegisterUserReport(TServiceStub &stub);

}  // namespace servicestub
