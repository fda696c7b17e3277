# A German locale, whose decimal separator is the comma: the tests run under it
# to show that nothing the user sees depends on the process locale.
ensure_german_locale() {
    if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        return 0
    fi
    ensure_packages locales
    if ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    fi
    as_root locale-gen >/dev/null
}
