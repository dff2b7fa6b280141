// The fake iPhone: usbmuxd's plist protocol on the control socket, and
// behind a Connect the device's services on the same socket (lockdown on
// 62078, AFC and the notification proxy on the ports StartService names).
// Message shapes follow what libusbmuxd 2.0.2 and libimobiledevice 1.3.0
// send and accept; the comments name the traps that cost a client a stall.
#include "fakephone.h"

#include <plist/plist.h>

#include <openssl/bio.h>
#include <openssl/encoder.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <arpa/inet.h>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

namespace fakephone {
namespace {

constexpr uint16_t kLockdownPort = 62078;
constexpr uint16_t kAfcPort = 49152;
constexpr uint16_t kNotificationPort = 49153;
constexpr char kAfcService[] = "com.apple.afc";
constexpr char kNotificationService[] = "com.apple.mobile.notification_proxy";

// AFC operations (libimobiledevice src/afc.h).
enum AfcOp : uint64_t {
    OpStatus = 0x01,
    OpData = 0x02,
    OpReadDir = 0x03,
    OpRemovePath = 0x08,
    OpMakeDir = 0x09,
    OpGetFileInfo = 0x0A,
    OpFileOpen = 0x0D,
    OpFileOpenResult = 0x0E,
    OpFileRead = 0x0F,
    OpFileWrite = 0x10,
    OpFileClose = 0x14,
    OpRenamePath = 0x18,
    OpFileLock = 0x1B,
};
constexpr char kAfcMagic[] = "CFA6LPAA";
constexpr uint64_t kAfcOpNotSupported = 15;
constexpr uint64_t kAfcDirNotEmpty = 1; // the client turns it into DIR_NOT_EMPTY

using PlistPtr = std::unique_ptr<void, decltype(&plist_free)>;
PlistPtr own(plist_t p)
{
    return PlistPtr(p, &plist_free);
}

std::string stringItem(plist_t dict, const char *key)
{
    plist_t node = plist_dict_get_item(dict, key);
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return {};
    char *value = nullptr;
    plist_get_string_val(node, &value);
    std::string result = value ? value : "";
    free(value);
    return result;
}

uint64_t uintItem(plist_t dict, const char *key)
{
    plist_t node = plist_dict_get_item(dict, key);
    uint64_t value = 0;
    if (node && plist_get_node_type(node) == PLIST_UINT)
        plist_get_uint_val(node, &value);
    return value;
}

std::string toXml(plist_t p)
{
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(p, &xml, &length);
    std::string result(xml ? xml : "", length);
    free(xml);
    return result;
}

std::string toBinary(plist_t p)
{
    char *bin = nullptr;
    uint32_t length = 0;
    plist_to_bin(p, &bin, &length);
    std::string result(bin ? bin : "", length);
    free(bin);
    return result;
}

void put32le(std::string &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xff);
}

void put64le(std::string &out, uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        out += char((v >> (8 * i)) & 0xff);
}

uint32_t get32le(const unsigned char *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint64_t get64le(const unsigned char *p)
{
    return uint64_t(get32le(p)) | uint64_t(get32le(p + 4)) << 32;
}

// The TLS identity of every fake in the process: one RSA key, a self-signed
// certificate (the client never checks it) and the key's public half as the
// PKCS#1 PEM that pairing asks for as "DevicePublicKey".
struct Identity
{
    EVP_PKEY *key = nullptr;
    X509 *certificate = nullptr;
    std::string publicKeyPem;
};

const Identity &identity()
{
    static Identity id;
    static std::once_flag once;
    std::call_once(once, [] {
        id.key = EVP_RSA_gen(2048);
        id.certificate = X509_new();
        ASN1_INTEGER_set(X509_get_serialNumber(id.certificate), 1);
        X509_gmtime_adj(X509_getm_notBefore(id.certificate), 0);
        X509_gmtime_adj(X509_getm_notAfter(id.certificate), 60L * 60 * 24 * 365);
        X509_set_pubkey(id.certificate, id.key);
        X509_NAME *name = X509_get_subject_name(id.certificate);
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                   reinterpret_cast<const unsigned char *>("Fake iPhone"), -1, -1, 0);
        X509_set_issuer_name(id.certificate, name);
        X509_sign(id.certificate, id.key, EVP_sha256());
        OSSL_ENCODER_CTX *encoder =
            OSSL_ENCODER_CTX_new_for_pkey(id.key, EVP_PKEY_PUBLIC_KEY, "PEM", "type-specific", nullptr);
        unsigned char *pem = nullptr;
        size_t length = 0;
        if (encoder && OSSL_ENCODER_to_data(encoder, &pem, &length))
            id.publicKeyPem.assign(reinterpret_cast<char *>(pem), length);
        OPENSSL_free(pem);
        OSSL_ENCODER_CTX_free(encoder);
    });
    return id;
}

// One accepted socket, in plain text or TLS.
struct Link
{
    int fd = -1;
    SSL *ssl = nullptr;

    bool readExact(void *buffer, size_t size)
    {
        auto *at = static_cast<char *>(buffer);
        while (size > 0) {
            ssize_t got;
            if (ssl) {
                const int n = SSL_read(ssl, at, int(std::min<size_t>(size, 1 << 30)));
                got = n > 0 ? n : -1;
            } else {
                got = ::recv(fd, at, size, 0);
                if (got < 0 && errno == EINTR)
                    continue;
            }
            if (got <= 0)
                return false;
            at += got;
            size -= size_t(got);
        }
        return true;
    }

    // Each reply goes out in one write: libimobiledevice reads some headers
    // with a single recv and fails on a short one.
    bool writeAll(const std::string &bytes)
    {
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t sent;
            if (ssl) {
                const int n = SSL_write(ssl, bytes.data() + done, int(bytes.size() - done));
                sent = n > 0 ? n : -1;
            } else {
                sent = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
                if (sent < 0 && errno == EINTR)
                    continue;
            }
            if (sent <= 0)
                return false;
            done += size_t(sent);
        }
        return true;
    }

    // lockdown and the notification proxy: a big-endian length, then a plist.
    PlistPtr readFrame()
    {
        unsigned char header[4];
        if (!readExact(header, 4))
            return own(nullptr);
        const uint32_t length = uint32_t(header[0]) << 24 | uint32_t(header[1]) << 16 | uint32_t(header[2]) << 8 | header[3];
        if (length == 0 || length > (16u << 20))
            return own(nullptr);
        std::string body(length, '\0');
        if (!readExact(body.data(), length))
            return own(nullptr);
        plist_t p = nullptr;
        plist_from_memory(body.data(), length, &p);
        return own(p);
    }

    // The client takes XML only when it starts with "<?xml", which
    // plist_to_xml's output does.
    bool writeFrame(plist_t p)
    {
        const std::string xml = toXml(p);
        std::string out;
        const uint32_t length = uint32_t(xml.size());
        out += char(length >> 24);
        out += char((length >> 16) & 0xff);
        out += char((length >> 8) & 0xff);
        out += char(length & 0xff);
        return writeAll(out + xml);
    }
};

struct Connection
{
    int fd = -1;
    bool toDevice = false;   // a Connect made it a pipe to the device
    bool listener = false;   // a Listen connection: events go out on it
    std::mutex writeMutex;   // listeners are written from several threads
    std::atomic<bool> finished{false};
    std::thread thread;
};

} // namespace

struct FakePhone::State
{
    std::string root;
    bool tcp = false; // fixed at construction
    Options options;
    std::string socketPath; // UNIX mode
    std::string socketDir;  // made for socketPath, removed at the end
    uint16_t tcpPort = 0;   // the first listen picks it, later ones reuse it
    // Serialises start() and stop(); never taken by the connections' threads.
    std::mutex lifeMutex;
    std::thread acceptThread;
    std::atomic<bool> stopping{false};

    mutable std::mutex mutex; // everything below
    int listenFd = -1;
    std::vector<std::shared_ptr<Connection>> connections;
    bool plugged = false;
    uint32_t deviceId = 0;
    uint32_t nextDeviceId = 1;
    Pairing pairing;
    std::string hostId = "1F5B8D2A-6C1E-4C3A-9E7B-2D4F6A8C0E11";
    std::vector<std::string> journal;
    // AFC
    int afcCount = 0;
    int faultAt = 0; // in afcCount's numbering, 0 when none
    Fault fault = Fault::Status;
    uint64_t faultStatus = kAfcIoError;
    bool faultFired = false;
    uint64_t nextHandle = 0x1000;
    std::map<std::string, uint64_t> locks; // path -> owning handle (0: another program)

    // Held from a device's change of state until its event is out, so that
    // listeners get Attached and Detached in the order they happened.
    std::mutex eventMutex;
    // Serialises AFC operations on the folder across connections.
    std::mutex afcMutex;
    // Held while a notification is read and journalled.
    std::mutex notificationMutex;
    std::set<int> notificationFds;

    const std::string udid = "00008030-001A2B3C4D5E6F70";

    void record(std::string line)
    {
        std::lock_guard lock(mutex);
        journal.push_back(std::move(line));
    }

    // --- usbmuxd ---------------------------------------------------------

    static std::string muxPacket(plist_t p, uint32_t tag)
    {
        // libusbmuxd parses XML only, and reads the header with one recv.
        const std::string xml = toXml(p);
        std::string packet;
        put32le(packet, uint32_t(16 + xml.size()));
        put32le(packet, 1); // plist protocol
        put32le(packet, 8); // MESSAGE_PLIST
        put32le(packet, tag);
        return packet + xml;
    }

    static bool sendMux(Connection &c, plist_t p, uint32_t tag)
    {
        const std::string packet = muxPacket(p, tag);
        std::lock_guard lock(c.writeMutex);
        Link link{c.fd, nullptr};
        return link.writeAll(packet);
    }

    static bool sendResult(Connection &c, uint32_t tag, uint64_t number)
    {
        auto reply = own(plist_new_dict());
        plist_dict_set_item(reply.get(), "MessageType", plist_new_string("Result"));
        plist_dict_set_item(reply.get(), "Number", plist_new_uint(number));
        return sendMux(c, reply.get(), tag);
    }

    plist_t deviceProperties(uint32_t id) const
    {
        plist_t props = plist_new_dict();
        plist_dict_set_item(props, "ConnectionSpeed", plist_new_uint(480000000));
        plist_dict_set_item(props, "ConnectionType", plist_new_string("USB"));
        plist_dict_set_item(props, "DeviceID", plist_new_uint(id));
        plist_dict_set_item(props, "LocationID", plist_new_uint(0x14100000));
        plist_dict_set_item(props, "ProductID", plist_new_uint(0x12a8));
        plist_dict_set_item(props, "SerialNumber", plist_new_string(udid.c_str()));
        return props;
    }

    plist_t attachedMessage(uint32_t id) const
    {
        plist_t message = plist_new_dict();
        plist_dict_set_item(message, "DeviceID", plist_new_uint(id));
        plist_dict_set_item(message, "MessageType", plist_new_string("Attached"));
        plist_dict_set_item(message, "Properties", deviceProperties(id));
        return message;
    }

    std::vector<std::shared_ptr<Connection>> listenersNow() const
    {
        std::vector<std::shared_ptr<Connection>> result;
        for (const auto &c : connections)
            if (c->listener)
                result.push_back(c);
        return result;
    }

    // Called with mutex held: the listeners are those registered when the
    // state changed, so none gets an event twice or misses one.
    std::function<void()> broadcastLocked(const char *messageType, uint32_t id)
    {
        auto targets = listenersNow();
        std::shared_ptr<void> message;
        if (std::strcmp(messageType, "Attached") == 0) {
            message.reset(attachedMessage(id), &plist_free);
        } else {
            message.reset(plist_new_dict(), &plist_free);
            plist_dict_set_item(message.get(), "DeviceID", plist_new_uint(id));
            plist_dict_set_item(message.get(), "MessageType", plist_new_string(messageType));
        }
        return [targets, message] {
            for (const auto &c : targets)
                sendMux(*c, message.get(), 0);
        };
    }

    std::string pairRecord() const
    {
        auto record = own(plist_new_dict());
        plist_dict_set_item(record.get(), "HostID", plist_new_string(hostId.c_str()));
        plist_dict_set_item(record.get(), "SystemBUID", plist_new_string("30B5F9E4-2D7C-4A61-8F0E-5C3B1A9D7E42"));
        return toBinary(record.get());
    }

    void serveMux(const std::shared_ptr<Connection> &c)
    {
        Link link{c->fd, nullptr};
        for (;;) {
            unsigned char header[16];
            if (!link.readExact(header, sizeof header))
                return;
            const uint32_t length = get32le(header);
            const uint32_t tag = get32le(header + 12);
            if (length < 16 || length > (1u << 20))
                return;
            std::string body(length - 16, '\0');
            if (!link.readExact(body.data(), body.size()))
                return;
            plist_t parsed = nullptr;
            plist_from_xml(body.data(), uint32_t(body.size()), &parsed);
            auto request = own(parsed);
            if (!request)
                return;
            const std::string type = stringItem(request.get(), "MessageType");
            if (type != "Connect")
                record("mux:" + type);
            if (type == "Listen") {
                // Result first: an Attached before it makes the client's
                // read of the Result fail, and the event is lost.
                std::unique_lock lock(mutex);
                c->listener = true;
                const bool present = plugged;
                const uint32_t id = deviceId;
                // Taken before the state can change again: a later event
                // waits for this reply to be out.
                std::lock_guard writing(c->writeMutex);
                lock.unlock();
                auto result = own(plist_new_dict());
                plist_dict_set_item(result.get(), "MessageType", plist_new_string("Result"));
                plist_dict_set_item(result.get(), "Number", plist_new_uint(0));
                std::string out = muxPacket(result.get(), tag);
                if (present) {
                    auto attached = own(attachedMessage(id));
                    out += muxPacket(attached.get(), 0);
                }
                if (!link.writeAll(out))
                    return;
                continue; // the socket stays open for events
            }
            if (type == "ListDevices") {
                auto reply = own(plist_new_dict());
                plist_t list = plist_new_array();
                {
                    std::lock_guard lock(mutex);
                    if (plugged)
                        plist_array_append_item(list, attachedMessage(deviceId));
                }
                plist_dict_set_item(reply.get(), "DeviceList", list);
                if (!sendMux(*c, reply.get(), tag))
                    return;
            } else if (type == "ReadBUID") {
                auto reply = own(plist_new_dict());
                plist_dict_set_item(reply.get(), "BUID", plist_new_string("30B5F9E4-2D7C-4A61-8F0E-5C3B1A9D7E42"));
                if (!sendMux(*c, reply.get(), tag))
                    return;
            } else if (type == "ReadPairRecord") {
                std::string record;
                bool has = false;
                {
                    std::lock_guard lock(mutex);
                    has = pairing.hostHasRecord && stringItem(request.get(), "PairRecordID") == udid;
                    if (has)
                        record = pairRecord();
                }
                // Never an empty record on success: libimobiledevice would
                // compare a null pointer with "bplist00".
                if (!has) {
                    if (!sendResult(*c, tag, 2))
                        return;
                    continue;
                }
                auto reply = own(plist_new_dict());
                plist_dict_set_item(reply.get(), "PairRecordData", plist_new_data(record.data(), record.size()));
                if (!sendMux(*c, reply.get(), tag))
                    return;
            } else if (type == "SavePairRecord") {
                plist_t data = plist_dict_get_item(request.get(), "PairRecordData");
                char *bytes = nullptr;
                uint64_t size = 0;
                if (data && plist_get_node_type(data) == PLIST_DATA)
                    plist_get_data_val(data, &bytes, &size);
                plist_t saved = nullptr;
                if (bytes)
                    plist_from_memory(bytes, uint32_t(size), &saved);
                free(bytes);
                auto record = own(saved);
                const std::string savedHost = record ? stringItem(record.get(), "HostID") : std::string();
                {
                    std::lock_guard lock(mutex);
                    if (!savedHost.empty()) {
                        hostId = savedHost;
                        pairing.hostHasRecord = true;
                    }
                }
                if (!sendResult(*c, tag, savedHost.empty() ? 22 : 0))
                    return;
                if (!savedHost.empty()) {
                    // usbmuxd tells every listener once a record is saved.
                    std::lock_guard ordered(eventMutex);
                    std::function<void()> send;
                    {
                        std::lock_guard lock(mutex);
                        send = broadcastLocked("Paired", deviceId);
                    }
                    send();
                }
            } else if (type == "DeletePairRecord") {
                {
                    std::lock_guard lock(mutex);
                    pairing.hostHasRecord = false;
                }
                if (!sendResult(*c, tag, 0))
                    return;
            } else if (type == "Connect") {
                // PortNumber comes byte-swapped (htons stored as an integer).
                const uint64_t swapped = uintItem(request.get(), "PortNumber");
                const uint16_t port = uint16_t(((swapped & 0xff) << 8) | ((swapped >> 8) & 0xff));
                const uint64_t id = uintItem(request.get(), "DeviceID");
                bool known = false;
                {
                    std::lock_guard lock(mutex);
                    known = plugged && id == deviceId;
                    if (known)
                        c->toDevice = true;
                }
                const bool open = port == kLockdownPort || port == kAfcPort || port == kNotificationPort;
                record("mux:Connect " + std::to_string(port) + (known && open ? "" : " refused"));
                if (!known || !open) {
                    if (!sendResult(*c, tag, known ? 3 : 2))
                        return;
                    continue;
                }
                if (!sendResult(*c, tag, 0))
                    return;
                // From here on the socket is a pipe to the device's port.
                if (port == kLockdownPort)
                    serveLockdown(*c);
                else if (port == kAfcPort)
                    serveAfc(*c);
                else
                    serveNotifications(*c);
                return;
            } else {
                if (!sendResult(*c, tag, 1)) // BADCOMMAND, as usbmuxd answers
                    return;
            }
        }
    }

    // --- lockdown --------------------------------------------------------

    void serveLockdown(Connection &c)
    {
        Link link{c.fd, nullptr};
        SSL_CTX *context = nullptr;
        bool session = false;
        auto endTls = [&link, &context] {
            if (link.ssl) {
                SSL_free(link.ssl);
                link.ssl = nullptr;
            }
            if (context) {
                SSL_CTX_free(context);
                context = nullptr;
            }
        };
        for (;;) {
            PlistPtr request = link.readFrame();
            if (!request)
                break;
            const std::string name = stringItem(request.get(), "Request");
            auto reply = own(plist_new_dict());
            plist_dict_set_item(reply.get(), "Request", plist_new_string(name.c_str()));
            bool startTls = false;
            bool stopTls = false;
            if (name == "QueryType") {
                plist_dict_set_item(reply.get(), "Type", plist_new_string("com.apple.mobile.lockdown"));
            } else if (name == "GetValue") {
                const std::string key = stringItem(request.get(), "Key");
                plist_dict_set_item(reply.get(), "Key", plist_new_string(key.c_str()));
                // 7.0 or later, or the client adds ValidatePair; 10.0 or
                // later lets TLS go above 1.0.
                if (key == "ProductVersion")
                    plist_dict_set_item(reply.get(), "Value", plist_new_string("14.8"));
                else if (key == "DeviceClass")
                    plist_dict_set_item(reply.get(), "Value", plist_new_string("iPhone"));
                else if (key == "ProductType")
                    plist_dict_set_item(reply.get(), "Value", plist_new_string("iPhone12,1"));
                else if (key == "DeviceName")
                    plist_dict_set_item(reply.get(), "Value", plist_new_string("Fake iPhone"));
                else if (key == "UniqueDeviceID")
                    plist_dict_set_item(reply.get(), "Value", plist_new_string(udid.c_str()));
                else if (key == "WiFiAddress")
                    plist_dict_set_item(reply.get(), "Value", plist_new_string("a4:d1:8c:00:11:22"));
                else if (key == "DevicePublicKey") {
                    const std::string &pem = identity().publicKeyPem;
                    plist_dict_set_item(reply.get(), "Value", plist_new_data(pem.data(), pem.size()));
                } else
                    plist_dict_set_item(reply.get(), "Error", plist_new_string("MissingValue"));
            } else if (name == "Pair") {
                std::string error;
                {
                    std::lock_guard lock(mutex);
                    error = pairing.pairError;
                }
                record("pair:" + (error.empty() ? std::string("accepted") : error));
                if (!error.empty())
                    plist_dict_set_item(reply.get(), "Error", plist_new_string(error.c_str()));
            } else if (name == "ValidatePair") {
                // answered as success
            } else if (name == "StartSession") {
                std::string error;
                bool tls = false;
                {
                    std::lock_guard lock(mutex);
                    error = pairing.sessionError;
                    if (error.empty() && (!pairing.hostHasRecord || stringItem(request.get(), "HostID") != hostId))
                        error = "InvalidHostID";
                    tls = options.sessionSsl;
                }
                if (!error.empty()) {
                    plist_dict_set_item(reply.get(), "Error", plist_new_string(error.c_str()));
                    record("session:" + error);
                } else {
                    session = true;
                    plist_dict_set_item(reply.get(), "SessionID", plist_new_string("5A1F3C9E-0B7D-4E26-A8F4-3D6C2B1E9F07"));
                    plist_dict_set_item(reply.get(), "EnableSessionSSL", plist_new_bool(tls));
                    startTls = tls;
                    record("session:start");
                }
            } else if (name == "StopSession") {
                session = false;
                plist_dict_set_item(reply.get(), "Result", plist_new_string("Success"));
                stopTls = link.ssl != nullptr;
                record("session:stop");
            } else if (name == "StartService") {
                const std::string service = stringItem(request.get(), "Service");
                plist_dict_set_item(reply.get(), "Service", plist_new_string(service.c_str()));
                const uint16_t port = service == kAfcService              ? kAfcPort
                                      : service == kNotificationService ? kNotificationPort
                                                                        : 0;
                if (!session)
                    plist_dict_set_item(reply.get(), "Error", plist_new_string("NoRunningSession"));
                else if (!port)
                    plist_dict_set_item(reply.get(), "Error", plist_new_string("InvalidService"));
                else {
                    // lockdown's Port is in host order, unlike usbmuxd's.
                    plist_dict_set_item(reply.get(), "Port", plist_new_uint(port));
                    plist_dict_set_item(reply.get(), "EnableServiceSSL", plist_new_bool(false));
                    record("service:" + service);
                }
            } else {
                plist_dict_set_item(reply.get(), "Error", plist_new_string("InvalidRequest"));
            }
            if (!link.writeFrame(reply.get()))
                break;
            if (startTls) {
                context = SSL_CTX_new(TLS_server_method());
                SSL_CTX_set_security_level(context, 0);
                SSL_CTX_set_min_proto_version(context, TLS1_VERSION);
                SSL_CTX_use_certificate(context, identity().certificate);
                SSL_CTX_use_PrivateKey(context, identity().key);
                link.ssl = SSL_new(context);
                SSL_set_fd(link.ssl, c.fd);
                if (SSL_accept(link.ssl) != 1) {
                    ERR_clear_error();
                    break;
                }
            }
            if (stopTls) {
                // The client sends its close_notify and waits for ours; then
                // the connection is plain text again.
                if (SSL_shutdown(link.ssl) == 0)
                    SSL_shutdown(link.ssl);
                ERR_clear_error();
                endTls();
            }
            if (name == "StopSession") {
                bool closeNow = false;
                {
                    std::lock_guard lock(mutex);
                    closeNow = options.closeAfterStopSession;
                }
                if (closeNow)
                    break;
            }
        }
        ERR_clear_error();
        endTls();
    }

    // --- notification proxy ---------------------------------------------

    // Notifications get no answer, so one posted just before an AFC request
    // may still sit unread in its socket when that request arrives. The AFC
    // side waits for them (settleNotifications), so the journal keeps the
    // order in which the client sent both.
    void serveNotifications(Connection &c)
    {
        {
            std::lock_guard lock(notificationMutex);
            notificationFds.insert(c.fd);
        }
        Link link{c.fd, nullptr};
        for (;;) {
            pollfd readable{c.fd, POLLIN, 0};
            if (::poll(&readable, 1, -1) < 0 && errno == EINTR)
                continue;
            std::unique_lock lock(notificationMutex);
            if (!serveNotification(link))
                break;
        }
        std::lock_guard lock(notificationMutex);
        notificationFds.erase(c.fd);
    }

    void settleNotifications()
    {
        for (int waited = 0; waited < 500; ++waited) {
            {
                std::lock_guard lock(notificationMutex);
                bool pending = false;
                for (int fd : notificationFds) {
                    pollfd readable{fd, POLLIN, 0};
                    pending = pending || (::poll(&readable, 1, 0) > 0 && (readable.revents & POLLIN));
                }
                if (!pending)
                    return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    // False when the connection ends.
    bool serveNotification(Link &link)
    {
        PlistPtr request = link.readFrame();
        if (!request)
            return false;
        const std::string command = stringItem(request.get(), "Command");
        if (command == "PostNotification") {
            record("post:" + stringItem(request.get(), "Name"));
        } else if (command == "ObserveNotification") {
            record("observe:" + stringItem(request.get(), "Name"));
        } else if (command == "Shutdown") {
            // Without ProxyDeath the client waits its whole time-out.
            auto reply = own(plist_new_dict());
            plist_dict_set_item(reply.get(), "Command", plist_new_string("ProxyDeath"));
            link.writeFrame(reply.get());
            return false;
        }
        return true;
    }

    // --- AFC -------------------------------------------------------------

    struct OpenFile
    {
        int fd = -1;
        std::string path;
    };

    static std::string afcPacket(uint64_t packetNumber, uint64_t operation, const std::string &headerData,
                                 const std::string &payload)
    {
        std::string out(kAfcMagic, 8);
        put64le(out, 40 + headerData.size() + payload.size());
        put64le(out, 40 + headerData.size());
        put64le(out, packetNumber);
        put64le(out, operation);
        return out + headerData + payload;
    }

    static std::string statusPacket(uint64_t packetNumber, uint64_t status)
    {
        // The code always travels: an empty STATUS reads as an I/O error.
        std::string code;
        put64le(code, status);
        return afcPacket(packetNumber, OpStatus, code, {});
    }

    // Phone paths are absolute; ".." never leaves the folder.
    bool localPath(const std::string &phonePath, std::string &out) const
    {
        if (phonePath.empty() || phonePath.find('\0') != std::string::npos)
            return false;
        std::string normal = "/";
        size_t at = 0;
        while (at <= phonePath.size()) {
            size_t next = phonePath.find('/', at);
            if (next == std::string::npos)
                next = phonePath.size();
            const std::string part = phonePath.substr(at, next - at);
            if (part == "..")
                return false;
            if (!part.empty() && part != ".") {
                if (normal.size() > 1)
                    normal += '/';
                normal += part;
            }
            at = next + 1;
        }
        out = root + (normal == "/" ? std::string() : normal);
        return true;
    }

    static std::string cString(const std::string &data, size_t at = 0)
    {
        if (at >= data.size())
            return {};
        const size_t end = data.find('\0', at);
        return data.substr(at, end == std::string::npos ? std::string::npos : end - at);
    }

    void releaseLocksOf(uint64_t handle)
    {
        std::lock_guard lock(mutex);
        for (auto it = locks.begin(); it != locks.end();) {
            if (it->second == handle) {
                journal.push_back("unlock:" + it->first);
                it = locks.erase(it);
            } else {
                ++it;
            }
        }
    }

    void serveAfc(Connection &c)
    {
        Link link{c.fd, nullptr};
        std::map<uint64_t, OpenFile> files;
        for (;;) {
            unsigned char header[40];
            if (!link.readExact(header, sizeof header) || std::memcmp(header, kAfcMagic, 8) != 0)
                break;
            const uint64_t entire = get64le(header + 8);
            const uint64_t thisLength = get64le(header + 16);
            const uint64_t packetNumber = get64le(header + 24);
            const uint64_t operation = get64le(header + 32);
            if (thisLength < 40 || entire < thisLength || entire > (64u << 20))
                break;
            std::string headerData(thisLength - 40, '\0');
            std::string payload(entire - thisLength, '\0');
            if (!link.readExact(headerData.data(), headerData.size()) || !link.readExact(payload.data(), payload.size()))
                break;

            settleNotifications();
            Fault fault = Fault::Status;
            uint64_t faultStatus = 0;
            bool faulty = false;
            {
                std::lock_guard lock(mutex);
                ++afcCount;
                if (faultAt != 0 && afcCount == faultAt) {
                    faulty = true;
                    faultFired = true;
                    fault = this->fault;
                    faultStatus = this->faultStatus;
                    faultAt = 0;
                }
            }
            if (faulty && fault == Fault::Status) {
                if (!link.writeAll(statusPacket(packetNumber, faultStatus)))
                    break;
                continue;
            }
            if (faulty && fault == Fault::Drop)
                break;
            if (faulty && fault == Fault::Unplug) {
                unplugDevice();
                break;
            }
            if (faulty && fault == Fault::UsbmuxdStops) {
                halt();
                break;
            }
            std::string reply;
            {
                std::lock_guard serial(afcMutex);
                reply = afcOperation(packetNumber, operation, headerData, payload, files);
            }
            if (faulty && fault == Fault::DropAfter)
                break;
            if (faulty && fault == Fault::UnplugAfter) {
                unplugDevice();
                break;
            }
            if (!link.writeAll(reply))
                break;
        }
        // A connection that goes away lets go of its files and locks.
        for (auto &[handle, file] : files) {
            releaseLocksOf(handle);
            ::close(file.fd);
        }
    }

    std::string afcOperation(uint64_t packetNumber, uint64_t operation, const std::string &headerData,
                             const std::string &payload, std::map<uint64_t, OpenFile> &files)
    {
        uint64_t missing = 0;
        bool createsParents = true;
        uint64_t heldStatus = 0;
        {
            std::lock_guard lock(mutex);
            missing = options.missingPathStatus;
            createsParents = options.makeFolderCreatesParents;
            heldStatus = options.heldLockStatus;
        }
        auto status = [packetNumber](uint64_t code) { return statusPacket(packetNumber, code); };
        auto errnoStatus = [&](int error) {
            switch (error) {
            case ENOENT:
            case ENOTDIR:
                return status(missing);
            case ENOSPC:
                return status(kAfcNoSpace);
            case ENOTEMPTY:
            case EEXIST:
                return status(kAfcDirNotEmpty);
            default:
                return status(kAfcIoError);
            }
        };
        std::string path;
        switch (operation) {
        case OpReadDir: {
            if (!localPath(cString(headerData), path))
                return status(kAfcInvalidArg);
            DIR *dir = ::opendir(path.c_str());
            if (!dir)
                return errnoStatus(errno);
            std::string names(".\0..\0", 5);
            while (dirent *entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..")
                    names += name + '\0';
            }
            ::closedir(dir);
            return afcPacket(packetNumber, OpData, {}, names);
        }
        case OpMakeDir: {
            const std::string phone = cString(headerData);
            if (!localPath(phone, path))
                return status(kAfcInvalidArg);
            record("mkdir:" + phone);
            std::error_code error;
            if (createsParents) {
                std::filesystem::create_directories(path, error);
            } else if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
                return errnoStatus(errno);
            }
            return status(error ? kAfcIoError : kAfcSuccess);
        }
        case OpRemovePath: {
            const std::string phone = cString(headerData);
            if (!localPath(phone, path))
                return status(kAfcInvalidArg);
            record("remove:" + phone);
            if (std::remove(path.c_str()) != 0)
                return errnoStatus(errno);
            return status(kAfcSuccess);
        }
        case OpRenamePath: {
            const std::string from = cString(headerData);
            const std::string to = cString(headerData, from.size() + 1);
            std::string target;
            if (!localPath(from, path) || !localPath(to, target))
                return status(kAfcInvalidArg);
            record("rename:" + from + ">" + to);
            if (std::rename(path.c_str(), target.c_str()) != 0)
                return errnoStatus(errno);
            return status(kAfcSuccess);
        }
        case OpGetFileInfo: {
            if (!localPath(cString(headerData), path))
                return status(kAfcInvalidArg);
            struct stat info{};
            if (::stat(path.c_str(), &info) != 0)
                return errnoStatus(errno);
            std::string data;
            auto add = [&data](const std::string &key, const std::string &value) {
                data += key + '\0' + value + '\0';
            };
            const uint64_t ns = uint64_t(info.st_mtime) * 1000000000u;
            add("st_size", std::to_string(info.st_size));
            add("st_blocks", std::to_string(info.st_blocks));
            add("st_nlink", std::to_string(info.st_nlink));
            add("st_ifmt", S_ISDIR(info.st_mode) ? "S_IFDIR" : "S_IFREG");
            add("st_mtime", std::to_string(ns));
            add("st_birthtime", std::to_string(ns));
            return afcPacket(packetNumber, OpData, {}, data);
        }
        case OpFileOpen: {
            if (headerData.size() < 9)
                return status(kAfcInvalidArg);
            const uint64_t mode = get64le(reinterpret_cast<const unsigned char *>(headerData.data()));
            const std::string phone = cString(headerData, 8);
            if (!localPath(phone, path))
                return status(kAfcInvalidArg);
            int flags = 0;
            switch (mode) {
            case 1: flags = O_RDONLY; break;
            case 2: flags = O_RDWR | O_CREAT; break;
            case 3: flags = O_WRONLY | O_CREAT | O_TRUNC; break;
            case 4: flags = O_RDWR | O_CREAT | O_TRUNC; break;
            case 5: flags = O_WRONLY | O_APPEND | O_CREAT; break;
            case 6: flags = O_RDWR | O_APPEND | O_CREAT; break;
            default: return status(kAfcInvalidArg);
            }
            const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
            if (fd < 0)
                return errnoStatus(errno);
            if (mode != 1)
                record("open-w:" + phone);
            uint64_t handle = 0;
            {
                std::lock_guard lock(mutex);
                handle = nextHandle++;
            }
            files[handle] = {fd, phone};
            std::string data;
            put64le(data, handle);
            return afcPacket(packetNumber, OpFileOpenResult, data, {});
        }
        case OpFileRead: {
            if (headerData.size() < 16)
                return status(kAfcInvalidArg);
            const auto *raw = reinterpret_cast<const unsigned char *>(headerData.data());
            const auto it = files.find(get64le(raw));
            if (it == files.end())
                return status(kAfcInvalidArg);
            const size_t wanted = size_t(std::min<uint64_t>(get64le(raw + 8), 4u << 20));
            std::string data(wanted, '\0');
            const ssize_t got = ::read(it->second.fd, data.data(), wanted);
            if (got < 0)
                return status(kAfcReadError);
            data.resize(size_t(got));
            // End of file is a DATA packet with nothing in it.
            return afcPacket(packetNumber, OpData, {}, data);
        }
        case OpFileWrite: {
            if (headerData.size() < 8)
                return status(kAfcInvalidArg);
            const auto it = files.find(get64le(reinterpret_cast<const unsigned char *>(headerData.data())));
            if (it == files.end())
                return status(kAfcInvalidArg);
            size_t done = 0;
            while (done < payload.size()) {
                const ssize_t wrote = ::write(it->second.fd, payload.data() + done, payload.size() - done);
                if (wrote <= 0)
                    return errnoStatus(errno);
                done += size_t(wrote);
            }
            return status(kAfcSuccess);
        }
        case OpFileClose: {
            if (headerData.size() < 8)
                return status(kAfcInvalidArg);
            const uint64_t handle = get64le(reinterpret_cast<const unsigned char *>(headerData.data()));
            const auto it = files.find(handle);
            if (it == files.end())
                return status(kAfcInvalidArg);
            releaseLocksOf(handle);
            ::close(it->second.fd);
            files.erase(it);
            return status(kAfcSuccess);
        }
        case OpFileLock: {
            if (headerData.size() < 16)
                return status(kAfcInvalidArg);
            const auto *raw = reinterpret_cast<const unsigned char *>(headerData.data());
            const uint64_t handle = get64le(raw);
            const uint64_t op = get64le(raw + 8);
            const auto it = files.find(handle);
            if (it == files.end())
                return status(kAfcInvalidArg);
            const std::string &phone = it->second.path;
            std::lock_guard lock(mutex);
            if (op & 8) { // LOCK_UN
                const auto held = locks.find(phone);
                if (held != locks.end() && held->second == handle) {
                    locks.erase(held);
                    journal.push_back("unlock:" + phone);
                }
                return status(kAfcSuccess);
            }
            // LOCK_SH or LOCK_EX, with LOCK_NB (4) set by the client: a held
            // lock fails at once.
            const auto held = locks.find(phone);
            if (held != locks.end() && held->second != handle) {
                journal.push_back("busy:" + phone);
                return status(heldStatus);
            }
            locks[phone] = handle;
            journal.push_back("lock:" + phone);
            return status(kAfcSuccess);
        }
        default:
            return status(kAfcOpNotSupported);
        }
    }

    // --- devices and connections -----------------------------------------

    void unplugDevice()
    {
        std::lock_guard ordered(eventMutex);
        std::function<void()> send;
        {
            std::lock_guard lock(mutex);
            if (!plugged)
                return;
            plugged = false;
            // A phone pulled out closes every pipe to it at once.
            for (const auto &c : connections)
                if (c->toDevice)
                    ::shutdown(c->fd, SHUT_RDWR);
            journal.push_back("unplugged");
            send = broadcastLocked("Detached", deviceId);
        }
        send();
    }

    void reap()
    {
        std::vector<std::shared_ptr<Connection>> done;
        {
            std::lock_guard lock(mutex);
            for (auto it = connections.begin(); it != connections.end();) {
                if ((*it)->finished) {
                    done.push_back(*it);
                    it = connections.erase(it);
                } else {
                    ++it;
                }
            }
        }
        for (const auto &c : done) {
            if (c->thread.joinable())
                c->thread.join();
            ::close(c->fd);
        }
    }

    // usbmuxd ends: its socket goes, and with it every connection (the
    // listeners' and the pipes to the phone). The phone stays plugged in.
    // Safe on a connection's own thread; stop() then joins what is left.
    void halt()
    {
        std::lock_guard lock(mutex);
        if (listenFd < 0 || stopping)
            return;
        stopping = true;
        // Wakes accept() on Linux, and refuses TCP connections from now on.
        ::shutdown(listenFd, SHUT_RDWR);
        if (!tcp)
            ::unlink(socketPath.c_str());
        for (const auto &c : connections)
            ::shutdown(c->fd, SHUT_RDWR);
        journal.push_back("usbmuxd:stopped");
    }

    // With lifeMutex held; never on a connection's thread, which it joins.
    void stopLocked()
    {
        halt();
        if (acceptThread.joinable())
            acceptThread.join();
        std::vector<std::shared_ptr<Connection>> all;
        {
            std::lock_guard lock(mutex);
            if (listenFd >= 0)
                ::close(listenFd);
            listenFd = -1;
            all = std::exchange(connections, {});
        }
        for (const auto &c : all) {
            if (c->thread.joinable())
                c->thread.join();
            ::close(c->fd);
        }
    }

    // With lifeMutex held and nothing listening: listens at the address,
    // the same one each time.
    bool listenLocked()
    {
        int fd = -1;
        bool bound = false;
        if (tcp) {
            fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(tcpPort);
            // The port again at once, whatever its last connections left.
            const int yes = 1;
            ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
            bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
            if (bound && tcpPort == 0) {
                socklen_t length = sizeof address;
                ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
                tcpPort = ntohs(address.sin_port);
            }
        } else if (!socketPath.empty() && socketPath.size() < sizeof(sockaddr_un::sun_path)) {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
            fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            // A socket left behind by a usbmuxd that died goes; one that
            // answers, or anything that is not a socket, stays.
            struct stat left{};
            if (::lstat(socketPath.c_str(), &left) == 0 && S_ISSOCK(left.st_mode)) {
                const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
                if (::connect(probe, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
                    ::unlink(socketPath.c_str());
                ::close(probe);
            }
            bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        }
        if (!bound || ::listen(fd, 64) != 0) {
            if (fd >= 0)
                ::close(fd);
            return false;
        }
        {
            std::lock_guard lock(mutex);
            listenFd = fd;
            stopping = false;
        }
        acceptThread = std::thread([this, fd] { acceptLoop(fd); });
        return true;
    }

    void acceptLoop(int fd)
    {
        while (!stopping) {
            const int client = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) {
                if (errno == EINTR || errno == ECONNABORTED)
                    continue;
                return;
            }
            reap();
            auto c = std::make_shared<Connection>();
            c->fd = client;
            std::lock_guard lock(mutex);
            // halt() shuts down the connections it finds under the mutex:
            // one accepted meanwhile is not served.
            if (stopping) {
                ::close(client);
                return;
            }
            connections.push_back(c);
            c->thread = std::thread([this, c] {
                serveMux(c);
                {
                    std::lock_guard lock(mutex);
                    c->listener = false;
                }
                // The writers take writeMutex before sending: none is mid-write now.
                std::lock_guard writing(c->writeMutex);
                ::shutdown(c->fd, SHUT_RDWR);
                c->finished = true;
            });
        }
    }
};

FakePhone::FakePhone(std::string root, Options options)
    : d(std::make_unique<State>())
{
    std::signal(SIGPIPE, SIG_IGN);
    identity();
    d->root = std::move(root);
    while (d->root.size() > 1 && d->root.back() == '/')
        d->root.pop_back();
    d->options = options;
    d->tcp = options.tcp;
    d->tcpPort = options.tcpPort;
    std::error_code ignored;
    std::filesystem::create_directories(d->root, ignored);

    if (!d->tcp && !options.socketPath.empty()) {
        d->socketPath = options.socketPath;
    } else if (!d->tcp) {
        // libusbmuxd cuts the path at 107 bytes: a short folder of its own
        // under /tmp, whatever the build tree's depth.
        char pattern[] = "/tmp/tq-mux-XXXXXX";
        if (::mkdtemp(pattern)) {
            d->socketDir = pattern;
            d->socketPath = d->socketDir + "/usbmuxd";
        }
    }
    std::lock_guard life(d->lifeMutex);
    d->listenLocked();
}

FakePhone::~FakePhone()
{
    {
        std::lock_guard life(d->lifeMutex);
        d->stopLocked();
    }
    if (!d->socketDir.empty())
        ::rmdir(d->socketDir.c_str());
}

void FakePhone::stop()
{
    std::lock_guard life(d->lifeMutex);
    d->stopLocked();
}

bool FakePhone::start()
{
    std::lock_guard life(d->lifeMutex);
    d->stopLocked();
    if (!d->listenLocked())
        return false;
    d->record("usbmuxd:started");
    return true;
}

std::string FakePhone::socketAddress() const
{
    if (d->tcp)
        return "127.0.0.1:" + std::to_string(d->tcpPort);
    return "UNIX:" + d->socketPath;
}

const std::string &FakePhone::root() const
{
    return d->root;
}

std::string FakePhone::udid() const
{
    return d->udid;
}

bool FakePhone::listening() const
{
    std::lock_guard lock(d->mutex);
    return d->listenFd >= 0 && !d->stopping;
}

void FakePhone::plugIn()
{
    std::lock_guard ordered(d->eventMutex);
    std::function<void()> send;
    {
        std::lock_guard lock(d->mutex);
        if (d->plugged)
            return;
        d->plugged = true;
        // usbmuxd numbers each arrival anew.
        d->deviceId = d->nextDeviceId++;
        d->journal.push_back("plugged");
        send = d->broadcastLocked("Attached", d->deviceId);
    }
    send();
}

void FakePhone::unplug()
{
    d->unplugDevice();
}

bool FakePhone::pluggedIn() const
{
    std::lock_guard lock(d->mutex);
    return d->plugged;
}

int FakePhone::listeners() const
{
    std::lock_guard lock(d->mutex);
    return int(d->listenersNow().size());
}

void FakePhone::setPairing(const Pairing &pairing)
{
    std::lock_guard lock(d->mutex);
    d->pairing = pairing;
}

void FakePhone::trust()
{
    std::lock_guard ordered(d->eventMutex);
    std::function<void()> send;
    {
        std::lock_guard lock(d->mutex);
        d->pairing = Pairing{};
        if (d->plugged)
            send = d->broadcastLocked("Paired", d->deviceId);
    }
    if (send)
        send();
}

void FakePhone::setOptions(const Options &options)
{
    std::lock_guard lock(d->mutex);
    const Options kept = d->options;
    d->options = options;
    d->options.tcp = kept.tcp;
    d->options.tcpPort = kept.tcpPort;
    d->options.socketPath = kept.socketPath;
}

void FakePhone::injectAfcFault(int n, Fault fault, uint64_t status)
{
    std::lock_guard lock(d->mutex);
    d->faultAt = n > 0 ? d->afcCount + n : 0;
    d->fault = fault;
    d->faultStatus = status;
    d->faultFired = false;
}

void FakePhone::clearFault()
{
    std::lock_guard lock(d->mutex);
    d->faultAt = 0;
    d->faultFired = false;
}

bool FakePhone::faultFired() const
{
    std::lock_guard lock(d->mutex);
    return d->faultFired;
}

int FakePhone::afcOperations() const
{
    std::lock_guard lock(d->mutex);
    return d->afcCount;
}

void FakePhone::holdLock(const std::string &path, bool held)
{
    std::lock_guard lock(d->mutex);
    if (held) {
        d->locks[path] = 0;
    } else {
        const auto it = d->locks.find(path);
        if (it != d->locks.end() && it->second == 0)
            d->locks.erase(it);
    }
}

std::vector<std::string> FakePhone::journal() const
{
    std::lock_guard lock(d->mutex);
    return d->journal;
}

void FakePhone::clearJournal()
{
    std::lock_guard lock(d->mutex);
    d->journal.clear();
}

} // namespace fakephone
