// make_examples: writes the example networks shipped with the program.
//
//   make_examples <examples folder> <database> <icons folder> <out folder>
//
// For every "<name>.net" of the examples folder it writes "<name>.exp", the
// exported network file, with the program's own writer over a scratch copy
// of the database, and "<name>.jpg", the picture of the network as the
// designer saves its canvas: a Windows bitmap under the name "jpg".  The
// built-in network keeps the console's own figure of it.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "example_network.h"
#include "networkfiles/network_loader.h"
#include "platform/db_session.h"
#include "platform/line_file.h"

namespace {

namespace fs = std::filesystem;
using vexlab::examples::ExampleDevice;
using vexlab::examples::ExampleNetwork;

constexpr int kIcon = 32;

QString icon_file(const std::string& model) {
    if (model == "2950" || model == "1912") return QStringLiteral("switch.ico");
    if (model == "PC") return QStringLiteral("Pc04.ico");
    return QStringLiteral("router.ico");
}

QPointF centre(const ExampleDevice& device) {
    return QPointF(device.x + kIcon / 2.0, device.y + kIcon / 2.0);
}

// The label of a cable's end sits a little way along the cable.
QPointF label_point(QPointF from, QPointF to) {
    return from + (to - from) * 0.22 + QPointF(4, -2);
}

QImage picture(const ExampleNetwork& network, const QDir& icons, bool fonts) {
    int width = 560, height = 420;
    for (const auto& device : network.devices) {
        width = std::max(width, device.x + kIcon + 80);
        height = std::max(height, device.y + kIcon + 40);
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);

    std::map<std::string, const ExampleDevice*> by_name;
    for (const auto& device : network.devices) by_name[device.name] = &device;

    // Cables first, then the devices over their ends.
    std::set<std::pair<std::string, std::string>> drawn;
    for (const auto& device : network.devices) {
        for (const auto& interface : device.interfaces) {
            if (interface.far_device.empty()) continue;
            const ExampleDevice& far = *by_name.at(interface.far_device);
            painter.setPen(QPen(Qt::black, 1));
            painter.drawLine(centre(device), centre(far));
            if (fonts)
                painter.drawText(
                    label_point(centre(device), centre(far)),
                    QString::fromStdString(vexlab::examples::short_label(interface.name)));
        }
        for (const auto& sub : device.subinterfaces) {
            const ExampleDevice& far = *by_name.at(sub.far_device);
            painter.setPen(QPen(QColor(204, 0, 0), 1));
            if (drawn.insert({std::min(device.name, far.name), std::max(device.name, far.name)})
                    .second)
                painter.drawLine(centre(device), centre(far));
            painter.setPen(Qt::black);
            if (fonts)
                painter.drawText(
                    label_point(centre(device), centre(far)),
                    QString::fromStdString(vexlab::examples::short_label(sub.interface) + "." +
                                           std::to_string(sub.number)));
        }
    }
    for (const auto& device : network.devices) {
        const QImage icon =
            QImage(icons.filePath(icon_file(device.model)))
                .scaled(kIcon, kIcon, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        painter.fillRect(QRect(device.x, device.y, kIcon, kIcon), Qt::white);
        painter.drawImage(QPoint(device.x, device.y), icon);
        painter.setPen(Qt::black);
        if (fonts) {
            // The name on a white ground, so a cable below does not cross it.
            const QString name = QString::fromStdString(device.name);
            const QRect box = painter.fontMetrics().boundingRect(name).translated(
                device.x, device.y + kIcon + 12);
            painter.fillRect(box.adjusted(-1, 0, 1, 0), Qt::white);
            painter.drawText(QPointF(device.x, device.y + kIcon + 12), name);
        }
    }
    return image;
}

std::string read(const fs::path& path) {
    try {
        return vexlab::platform::read_whole_file(path.string());
    } catch (const vexlab::platform::FileReadError& error) {
        throw std::runtime_error("cannot read " + path.string() + ": " + error.what());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: make_examples <examples folder> <database> <icons folder> <out>\n");
        return 2;
    }
    const fs::path sources = argv[1], database = argv[2], out = argv[4];
    const QDir icons(QString::fromLocal8Bit(argv[3]));
    const bool fonts = !QFontDatabase::families().isEmpty();
    try {
        fs::create_directories(out);
        // The writer reads the template and fills the routing tables as
        // scratch space: work on a copy, never on the program's database.
        const fs::path scratch = out / ".make_examples.mdb";
        fs::copy_file(database, scratch, fs::copy_options::overwrite_existing);
        vexlab::db::DatabaseSession session;
        session.open(scratch.string());

        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(sources))
            if (entry.path().extension() == ".net") files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            const auto network =
                vexlab::examples::parse_example(read(file), file.filename().string());
            const std::string stem = file.stem().string();
            std::string bytes;
            if (network.built_in) {
                // The built-in network shows the figure the console shows for it.
                bytes =
                    read(fs::path(icons.filePath(QStringLiteral("tolvane-fig.gif")).toStdString()));
            } else {
                // A palette keeps the bitmap small: the drawing has few colours.
                const QImage image =
                    picture(network, icons, fonts)
                        .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
                QByteArray bitmap;
                QBuffer buffer(&bitmap);
                buffer.open(QIODevice::WriteOnly);
                if (!image.save(&buffer, "BMP")) {
                    std::fprintf(stderr, "make_examples: cannot draw the picture of %s\n",
                                 stem.c_str());
                    return 1;
                }
                bytes.assign(bitmap.constData(), static_cast<std::size_t>(bitmap.size()));
            }
            vexlab::networkfiles::write_exported_network(
                (out / (stem + ".exp")).string(), vexlab::examples::export_text(session, network),
                bytes);
        }
        session.close();
        fs::remove(scratch);
        fs::remove(fs::path(scratch.string() + "-wal"));
        fs::remove(fs::path(scratch.string() + "-shm"));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_examples: %s\n", error.what());
        return 1;
    }
    return 0;
}
