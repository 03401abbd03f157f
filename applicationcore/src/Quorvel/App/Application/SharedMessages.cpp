#include <Quorvel/App/Application/SharedMessages.h>

#include <QCoreApplication>
#include <QVariant>

namespace {

QString LinkStyle() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application ? application->property("linkStyle").toString() : QString();
}

// One two-argument arg(): a "%1" or "%2" inside the url is not expanded again. Both land in
// HTML attributes, so a quote in either must not end the attribute.
QString Compose(const QString& translated, const QString& url) {
    return translated.arg(url.toHtmlEscaped(), LinkStyle().toHtmlEscaped());
}

}  // namespace

QString GetGPUNeedSetupDriverMessage(const QString& url) {
    return Compose(
        QCoreApplication::translate(
            "SharedMessages",
            "NVIDIA<sup>&reg;</sup> CUDA&#8482; acceleration has been disabled in "
            "NVIDIA<sup>&reg;</sup> Control Panel. To enable CUDA&#8482; acceleration for "
            "Vidorant, select <b>High-performance NVIDIA<sup>&reg;</sup> processor</b> as your "
            "preferred graphics processor in NVIDIA<sup>&reg;</sup> Control Panel.<br><br><a "
            "href=\"%1\" style=\"%2\">Detailed Instructions</a>"),
        url);
}

QString GetGPUUnsupportedDriverMessage(const QString& url) {
    return Compose(
        QCoreApplication::translate(
            "SharedMessages",
            "Unfortunately, the currently installed graphics card driver does not support "
            "NVIDIA<sup>&reg;</sup> CUDA&#8482; acceleration.<br><br>You can install an earlier "
            "version of the NVIDIA<sup>&reg;</sup> graphics card driver to enable CUDA&#8482; "
            "acceleration. To do that, simply download the installation package and follow the "
            "manufacturer's instructions to install the driver.<br><br><a href=\"%1\" "
            "style=\"%2\">Download Driver</a>"),
        url);
}
