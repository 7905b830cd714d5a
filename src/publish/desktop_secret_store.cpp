#include <libsecret/secret.h>
#include <sys/stat.h>

#include <cstdlib>

#include "publish/secret_store.h"

namespace quillon {

namespace {

const SecretSchema kSchema = {"org.quillon.Publish",
                              SECRET_SCHEMA_NONE,
                              {{"profile", SECRET_SCHEMA_ATTRIBUTE_STRING},
                               {"host", SECRET_SCHEMA_ATTRIBUTE_STRING},
                               {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
                               {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                              0,
                              nullptr,
                              nullptr,
                              nullptr,
                              nullptr,
                              nullptr,
                              nullptr,
                              nullptr};

// Without a session bus to reach, asking for one would make the library launch a bus of its own.
bool sessionBusThere() {
  if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS")) return *address != '\0';
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat st {};
  return runtime && *runtime && ::stat((std::string(runtime) + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

std::string messageOf(GError* error) {
  std::string text = error && error->message ? error->message : "the keyring gave no reason";
  g_clear_error(&error);
  return text;
}

class DesktopSecretStore final : public SecretStore {
 public:
  bool available() override {
    if (!sessionBusThere()) return false;
    if (!service_) {
      GError* error = nullptr;
      service_ = secret_service_get_sync(SECRET_SERVICE_NONE, nullptr, &error);
      g_clear_error(&error);
    }
    if (!service_) return false;
    // A bus with no keyring on it and none it can start answers every call with an error.
    GError* error = nullptr;
    gchar* found =
        secret_password_lookup_sync(&kSchema, nullptr, &error, "profile", "", "host", "", "user", "", nullptr);
    secret_password_free(found);
    const bool answered = error == nullptr;
    g_clear_error(&error);
    return answered;
  }

  std::optional<std::string> save(const SecretKey& key, const std::string& password) override {
    if (!sessionBusThere()) return std::string("no desktop session is running");
    forget(key.profile);
    const std::string label = "Quillon Pro: " + key.profile + " (" + key.user + "@" + key.host + ")";
    GError* error = nullptr;
    const gboolean kept = secret_password_store_sync(&kSchema, SECRET_COLLECTION_DEFAULT, label.c_str(),
                                                     password.c_str(), nullptr, &error, "profile", key.profile.c_str(),
                                                     "host", key.host.c_str(), "user", key.user.c_str(), nullptr);
    if (!kept) return messageOf(error);
    g_clear_error(&error);
    return std::nullopt;
  }

  std::optional<std::string> find(const SecretKey& key) override {
    if (!sessionBusThere()) return std::nullopt;
    GError* error = nullptr;
    gchar* found = secret_password_lookup_sync(&kSchema, nullptr, &error, "profile", key.profile.c_str(), "host",
                                               key.host.c_str(), "user", key.user.c_str(), nullptr);
    g_clear_error(&error);
    if (!found) return std::nullopt;
    std::string password = found;
    secret_password_free(found);
    return password;
  }

  void forget(const std::string& profile) override {
    if (!sessionBusThere()) return;
    GError* error = nullptr;
    secret_password_clear_sync(&kSchema, nullptr, &error, "profile", profile.c_str(), nullptr);
    g_clear_error(&error);
  }

  ~DesktopSecretStore() override {
    if (service_) g_object_unref(service_);
  }

 private:
  SecretService* service_ = nullptr;
};

}  // namespace

std::unique_ptr<SecretStore> desktopSecretStore() { return std::make_unique<DesktopSecretStore>(); }

}  // namespace quillon
