#include "platform/components/StandardComponents.h"

#include "platform/automation/ComponentRegistry.h"
#include "platform/components/AccountDocumentViewer.h"
#include "platform/components/MessageDialog.h"
#include "platform/components/ReportEngine.h"
#include "platform/components/SpreadsheetApplication.h"

namespace oruhr {

void registerStandardComponents(ComponentRegistry &registry)
{
    registry.registerComponent(QString::fromLatin1(MessageDialog::progId), {}, [] { return std::make_unique<MessageDialog>(); });
    registry.registerComponent(QString::fromLatin1(AccountDocumentViewer::progId), {},
                               [] { return std::make_unique<AccountDocumentViewer>(); });
    registry.registerComponent(QString::fromLatin1(ReportEngine::progId), QUuid(ReportEngine::classId),
                               [] { return std::make_unique<ReportEngine>(); });
    registry.registerComponent(QString::fromLatin1(SpreadsheetApplication::progId), {},
                               [] { return std::make_unique<SpreadsheetApplication>(); });
}

} // namespace oruhr
