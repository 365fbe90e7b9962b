#include "ui/qt/start_failure.h"

#include <QMessageBox>
#include <string>
#include <vector>

#include "text/error_report.h"
#include "ui/catalogue.h"

namespace headly {

void showStartFailure(int code) {
  const std::vector<std::string> lines = errorReportUtf8(code);
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(findForm("MAINFORM")->caption),
                  QString::fromStdString(lines[0] + "\n" + lines[1]));
  box.exec();
}

}  // namespace headly
