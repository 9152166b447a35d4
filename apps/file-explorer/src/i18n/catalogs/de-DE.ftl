# Files — deutsche (de-DE) Meldungen.
# Variablen und Auswahlzweige müssen strukturell mit en-US.ftl übereinstimmen.

files-time-unknown = unbekannter Zeitpunkt

## Tastenkürzel

files-shortcuts-title = Tastenkürzel
files-shortcuts-summary = Bedienung von Files nach der Tastaturkonvention des aktuellen Desktops
files-shortcuts-primary = Primärtaste: Strg auf den meisten Desktops, Befehlstaste unter macOS
files-shortcuts-navigate = Auswahl bewegen: ↑ / ↓ · Bereich auswählen: Umschalt + ↑ / ↓
files-shortcuts-grid = Navigation im Raster: ← / → zur Seite; ↑ / ↓ um eine sichtbare Zeile
files-shortcuts-open = Auswahl öffnen: Eingabe · umbenennen: F2 · in den Papierkorb: Entf
files-shortcuts-location = Ort bearbeiten: Primärtaste + L · aktualisieren: F5
files-shortcuts-new-folder = Neuer Ordner: Primärtaste + Umschalt + N
files-shortcuts-edit = Kopieren, ausschneiden, einfügen, Papierkorb rückgängig, alles auswählen: Primärtaste + C / X / V / Z / A
files-shortcuts-hidden = Versteckte Dateien ein- oder ausblenden: Primärtaste + H
files-shortcuts-size = Elementgröße ändern: Primärtaste + + / − · Größe zurücksetzen: Primärtaste + 0
files-shortcuts-context = Kontextmenü: Menütaste oder Rechtsklick
files-shortcuts-close = Diese Übersicht anzeigen: ? oder F1 · Dialoge und Menüs schließen: Esc

## Verfügbarkeit: Aktionen und Status

files-keep-offline = Offline verfügbar halten
files-use-automatic-storage = Automatische Speicherung verwenden
files-pinned-by-parent = Durch übergeordneten Ordner angeheftet
files-retry-download = Download wiederholen
files-free-local-space = Lokalen Speicher freigeben
files-no-pin-needed = Kein ausgewähltes Element muss offline verfügbar gehalten werden
files-no-direct-pin = Hier lässt sich keine direkte Offline-Anheftung ändern
files-keeping-offline = { $count } { $count ->
        [one] Element wird
       *[other] Elemente werden
    } offline verfügbar gehalten
files-using-automatic = Automatische Speicherung für { $count } { $count ->
        [one] Element
       *[other] Elemente
    }
files-offline-policy-failed = Offline-Richtlinie fehlgeschlagen: { $errors }
files-no-retryable-transfer = Keine ausgewählte Übertragung kann wiederholt werden
files-retrying-transfers = { $count } { $count ->
        [one] Übertragung wird
       *[other] Übertragungen werden
    } wiederholt…
files-retry-failed = Wiederholen fehlgeschlagen: { $errors }
files-no-local-space-releasable = Kein ausgewähltes Element kann lokalen Speicher freigeben
files-freeing-local-space = Lokaler Speicher wird für { $count } { $count ->
        [one] Element
       *[other] Elemente
    } freigegeben…
files-free-local-space-failed = Freigeben von lokalem Speicher fehlgeschlagen: { $errors }
files-eviction-needs-confirmation = Die Sicherheit konnte nicht bestätigt werden; eine Bestätigung ist erforderlich
files-destructive-eviction-title = Nicht überprüfte lokale Kopie entfernen?
files-destructive-eviction-summary = Die Sicherheitsprüfungen konnten nicht nachweisen, dass es für { $count } { $count ->
        [one] ausgewähltes Element
       *[other] ausgewählte Elemente
    } eine weitere aktuelle, dauerhafte Kopie gibt.
files-destructive-eviction-no-replica = Es konnte kein geeignetes aktuelles Replikat bestätigt werden.
files-destructive-eviction-loss = Wenn keine Quelle mehr vorhanden ist, kann der aktuelle Dateiinhalt dauerhaft unzugänglich werden.
files-destructive-eviction-protected = Aufbewahrter Verlauf und Blobs, die geschützte Dateien mitnutzen, werden nicht entfernt.
files-destructive-eviction-confirm = Lokale Kopie trotzdem entfernen
files-destructive-eviction-started = Destruktives lokales Entfernen für { $count } { $count ->
        [one] Element
       *[other] Elemente
    } gestartet.
files-permanent-delete-title = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } endgültig löschen?
files-permanent-delete-summary = { $count ->
        [one] Das ausgewählte Element wird
       *[other] Die { $count } ausgewählten Elemente werden
    } aus dem Papierkorb entfernt.
files-permanent-delete-loss = Dies kann nicht rückgängig gemacht werden.
files-permanent-delete-confirm = Endgültig löschen
files-empty-trash-title = Papierkorb endgültig leeren?
files-empty-trash-summary = { $count ->
        [one] { $count } Element wird
       *[other] Alle { $count } Elemente werden
    } aus dem Papierkorb entfernt.
files-empty-trash-confirm = Papierkorb leeren

## Eigenschaften- und Verfügbarkeitsdialog

files-property-collaborative-record = Gemeinsamer Datensatz: { $record }
files-property-content = Inhalts-Hash: { $hash }…
files-residency-metadata-only = nur Metadaten
files-residency-partly-local = teilweise lokal ({ $bytes } Bytes)
files-residency-local = vollständig lokal ({ $bytes } Bytes)
files-property-on-device = Auf diesem Gerät: { $state }
files-property-sharing = Freigabe: { $count } aktive { $count ->
        [one] Berechtigung
       *[other] Berechtigungen
    }
files-property-history = Verlauf: { $versions } { $versions ->
        [one] Version
       *[other] Versionen
    }, { $conflicts } { $conflicts ->
        [one] offener Konflikt
       *[other] offene Konflikte
    }
files-properties-collab-summary = Dateisystem- und geprüfte Zusammenarbeitsmetadaten
files-availability-title = Verfügbarkeit — { $name }
files-availability-title-short = Verfügbarkeit…
files-not-stored = Nicht auf diesem Gerät gespeichert
files-partly-stored = Teilweise gespeichert ({ $bytes } Bytes)
files-stored = Auf diesem Gerät gespeichert ({ $bytes } Bytes)
files-kept-offline-parent = Durch einen übergeordneten Ordner offline verfügbar gehalten
files-kept-offline = Offline verfügbar gehalten
files-automatic-storage = Automatische Speicherung
files-replica-unverified = Die Sicherheit der Replikate wurde nicht überprüft
files-replica-counts = { $reachable } erreichbar, { $durable } { $durable ->
        [one] dauerhaftes Replikat
       *[other] dauerhafte Replikate
    }
files-transfer-state = Übertragung: { $state }
files-transfer-idle = im Leerlauf
files-transfer-queued = in der Warteschlange
files-transfer-downloading = wird heruntergeladen
files-transfer-uploading = wird hochgeladen
files-transfer-verifying = wird überprüft

## Freigabe

files-search-collaborative-records = Gemeinsame Dateien
files-search-record-provenance = { $path } · Datensatz { $record }
files-copy-one-time-link = Einmal-Freigabelink kopieren
files-share-composer-named = Mit { $person } teilen · { $permission } · { $expiry }
files-share-composer-link = Link kopieren · { $permission } · { $expiry } · { $uses }
files-share-choice-view = darf ansehen
files-share-choice-edit = darf bearbeiten
files-share-choice-day = läuft in 24 Stunden ab
files-share-choice-week = läuft in 7 Tagen ab
files-share-choice-month = läuft in 30 Tagen ab
files-share-choice-never = läuft nie ab
files-share-choice-one-use = einmal verwendbar
files-share-choice-bounded-uses = bis zu { $count } { $count ->
        [one] Verwendung
       *[other] Verwendungen
    }
files-share-creating = Freigabe wird erstellt…
files-share-invalid-options = Diese Freigabeoptionen können nicht kombiniert werden
files-share-link-needs-expiry = Freigabelinks benötigen ein Ablaufdatum
files-share-invalid-uses = Freigabelinks benötigen ein Nutzungslimit von 1 bis 1.000
files-share-recipient-unreachable = Diese Person hat kein zertifiziertes Empfangsgerät
files-sharing-access = Freigabe und Zugriff…
files-share-with = Mit { $person } teilen
files-revoke-subject = Zugriff für { $subject } widerrufen
files-shared-link = geteilter Link
files-share-link-pending = Ein Freigabelink wird bereits erstellt
files-share-change-pending = Eine Freigabeänderung läuft bereits
files-select-collaborative-file = Wählen Sie zuerst eine gemeinsame Datei aus
files-select-shared-file = Wählen Sie zuerst die freigegebene Datei aus
files-sharing-unavailable = Freigabe ist für diesen Arbeitsbereich nicht verfügbar
files-creating-one-use-link = Einmal-Link wird erstellt…
files-share-with-progress = Wird mit { $person } geteilt…
files-revoking-access = Zugriff wird widerrufen…
files-not-shared = Mit niemandem geteilt
files-anyone-link = Jeder mit dem Link
files-can-view = darf ansehen
files-can-edit = darf bearbeiten
files-grant-active = aktiv
files-grant-expired = abgelaufen
files-grant-revoked = widerrufen
files-grant-exhausted = aufgebraucht
files-no-expiry = kein Ablaufdatum
files-expires = läuft am { $time } ab
files-share-grant-line = { $subject } · { $permission } · { $status } · { $expiry }
files-sharing-title = Freigabe — { $name }
files-certified-devices = { $person } · zertifizierte Geräte: { $devices }
files-certified-device-detail = { $device } · Schlüssel { $fingerprint } · { $capabilities } · ausgestellt { $issued } · { $expiry }
files-device-cap-own = verwaltet Arbeitsbereiche
files-device-cap-admit = lässt Geräte zu
files-device-cap-host = vertrauenswürdiger Host
files-device-cap-read-all = liest alle Arbeitsbereiche
files-device-cap-member = Mitglied des Arbeitsbereichs
files-sharing-summary = { $count } aktive { $count ->
        [one] Berechtigung
       *[other] Berechtigungen
    }; kopierte Daten können nicht zurückgeholt werden
files-link-copied = Freigabelink in die Zwischenablage kopiert
files-share-created = Mit { $person } geteilt; heruntergeladene Kopien können nicht zurückgeholt werden
files-share-created-pending = Mit { $person } geteilt; Zustellung steht aus
files-share-created-delivered = Mit { $person } geteilt; Zustellung abgeschlossen
files-access-revoked = Zugriff widerrufen; bereits heruntergeladene Daten können nicht zurückgeholt werden
files-share-inactive = Diese Freigabe war bereits inaktiv

## Verlauf und Konfliktlösung

files-version-history = Versionsverlauf…
files-restore-previous = Vorherige Version wiederherstellen
files-resolve-keep-current = { $conflict } auflösen — Aktuelle behalten
files-resolve-use-other = { $conflict } auflösen — Andere verwenden (Gerät { $device })
files-history-version-line = { $action } · { $time } · von { $person } · Gerät { $device }
files-history-older = Ältere Versionen sind über den Verlaufsdienst verfügbar
files-conflict-needs-review = Diese Datei hat einen Versionskonflikt, der geprüft werden muss
files-conflict-resolved-strategy = Aufgelöst: { $strategy }
files-conflict-resolved = Konflikt aufgelöst
files-strategy-keep-current = Aktuelle behalten
files-strategy-use-other = Andere verwenden
files-strategy-keep-both = Beide behalten
files-strategy-merge = Zusammenführen
files-conflict-line = Konflikt { $conflict } · { $count } { $count ->
        [one] Version
       *[other] Versionen
    }
files-conflict-resolve-hint = Über das Kontextmenü auflösen: Aktuelle behalten oder Andere verwenden
files-conflict-unsupported-hint = Beide behalten und Zusammenführen sind erst verfügbar, wenn ihre signierten Abläufe unterstützt werden
files-history-title = Versionsverlauf — { $name }
files-history-summary = { $versions } { $versions ->
        [one] Version
       *[other] Versionen
    }, { $heads } { $heads ->
        [one] aktueller Stand
       *[other] aktuelle Stände
    }
files-history-change-pending = Eine Verlaufsänderung läuft bereits
files-select-file-with-history = Wählen Sie zuerst eine gemeinsame Datei mit Verlauf aus
files-version-restored = Version als neuer Verlaufseintrag wiederhergestellt
files-restoring-version = Diese Version wird wiederhergestellt…
files-keeping-current = Aktuelle Version wird behalten…
files-applying-other = Andere Version wird übernommen…
files-merging-versions = Nicht überlappende Änderungen werden sicher zusammengeführt…
files-merge-review-menu = Zusammenführung prüfen
files-merge-review-title = Zusammenführung prüfen — { $name }
files-merge-review-summary = Es wurden noch keine Änderungen vorgenommen
files-merge-review-checking = Die exakten unveränderlichen Revisionen werden geprüft…
files-merge-review-checking-detail = Vesk vergleicht beide Änderungen mit ihrer gemeinsamen Basis. Währenddessen wird nichts verändert.
files-merge-review-safe = Sicher zusammenführbar
files-merge-review-needs-review = Prüfung erforderlich — es wird nichts zusammengeführt
files-merge-review-unavailable = Die Vorabprüfung der Zusammenführung ist nicht verfügbar. Aktualisieren Sie die Datei und vergleichen Sie die Versionen manuell.
files-merge-review-no-apply = Wählen Sie nach Prüfung des unveränderlichen Unterschieds „Beide behalten“ oder eine Version.
files-merge-review-incoming = Eingehende Revision von Gerät { $device }
files-merge-review-diff = Im Versionsverlauf können Sie die beiden unveränderlichen Revisionen vergleichen, bevor Sie diese Zusammenführung anwenden.
files-merge-review-guard = Vesk prüft die exakte Basis und beide Revisionen unmittelbar vor dem Speichern erneut. Wenn sich die Änderungen überschneiden oder inzwischen geändert haben, wird nichts zusammengeführt.
files-merge-review-undo = Das Anwenden erzeugt einen signierten Verlaufseintrag, sodass Sie jede frühere Version wiederherstellen können, ohne spätere Arbeit rückgängig zu machen.
files-merge-apply-safe = Sichere Zusammenführung anwenden
files-merge-apply-safe-detail = Dies wird nur ausgeführt, wenn die deterministische Vorabprüfung weiterhin belegt, dass beide Revisionen erhalten bleiben können.
files-conflict-workflow-required = Beide behalten und Zusammenführen erfordern einen eigenen sicheren Ablauf
files-conflict-resolved-signed = Konflikt mit einem signierten Verlaufseintrag aufgelöst
files-history-change-saved = Verlaufsänderung gespeichert
files-history-action-created = Erstellt
files-history-action-edited = Bearbeitet
files-history-action-renamed = Umbenannt
files-history-action-moved = Verschoben
files-history-action-deleted = Gelöscht
files-history-action-conflict-resolved = Konflikt aufgelöst
files-history-action-restored = Wiederhergestellt
files-history-action-changed = Geändert
files-history-current-version = { $action } · Aktuelle Version
files-history-timeline-detail = { $person } · { $time }
files-history-preview-title = Ausgewählte Version
files-history-compare-title = Mit aktueller Version vergleichen
files-history-selected-action = Änderung: { $action }
files-history-selected-by = Von: { $person }
files-history-selected-at = Wann: { $time }
files-history-version-id = Version: { $id }
files-history-content-identity = Inhaltskennung: { $hash }
files-history-metadata-identity = Metadatenkennung: { $hash }
files-history-no-content = Kein aufgezeichneter Inhalt
files-history-compare-content = Inhalt: { $state }
files-history-compare-metadata = Metadaten: { $state }
files-history-same = wie in der aktuellen Version
files-history-different = anders als in der aktuellen Version
files-history-show-activity = In Arbeitsbereichsaktivität anzeigen
files-history-compare = Mit aktueller vergleichen
files-history-hide-compare = Versionsdetails anzeigen
files-history-restore-selected = Diese Version wiederherstellen
files-history-current-version-label = Aktuelle Version
files-history-timeline-a11y = Versionszeitleiste
files-history-timeline-a11y-item = { $action } von { $person }, { $time }

## Barrierefreier Zusammenarbeitsstatus

files-a11y-transfer-failed = Übertragung fehlgeschlagen
files-a11y-transfer-queued = Übertragung in Warteschlange
files-a11y-downloading = Wird heruntergeladen
files-a11y-uploading = Wird hochgeladen
files-a11y-verifying = Wird überprüft
files-a11y-online-only = Nur online
files-a11y-partly-offline = Teilweise offline verfügbar
files-a11y-available-offline = Offline verfügbar
files-a11y-kept-offline-parent = Durch übergeordneten Ordner offline verfügbar gehalten
files-a11y-kept-offline = Offline verfügbar gehalten
files-a11y-replica-unknown = Replikatstatus unbekannt
files-a11y-durably-replicated = Dauerhaft repliziert
files-a11y-not-durably-replicated = Nicht dauerhaft repliziert
files-a11y-shared-recipients = Mit { $count } { $count ->
        [one] Empfänger
       *[other] Empfängern
    } geteilt
files-a11y-version-conflict = Hat einen Versionskonflikt

## Dienst- und Empfangsfehler/-status

files-history-encode-failed = Die Verlaufsanfrage konnte nicht kodiert werden
files-history-request-too-large = Die Verlaufsanfrage überschreitet ihre Übertragungsgrenze
files-history-restore-failed = Diese Version konnte nicht wiederhergestellt werden: { $error }
files-conflict-strategy-unsupported = Diese Konfliktstrategie wird von Files noch nicht unterstützt
files-conflict-encode-failed = Die Konfliktanfrage konnte nicht kodiert werden
files-conflict-request-too-large = Die Konfliktanfrage überschreitet ihre Übertragungsgrenze
files-conflict-resolve-failed = Dieser Konflikt konnte nicht aufgelöst werden: { $error }
files-share-wrong-response = Der Freigabedienst hat die falsche Antwort geliefert
files-share-runtime-failed = Der Freigabe-Client konnte nicht gestartet werden: { $error }
files-share-unavailable-error = Freigabedienst nicht verfügbar: { $error }
files-share-encode-failed = Die Freigabeanfrage konnte nicht kodiert werden: { $error }
files-share-request-too-large = Die Freigabeanfrage überschreitet ihre Übertragungsgrenze
files-share-request-failed = Link konnte nicht angefordert werden: { $error }
files-share-flush-failed = Die Freigabeanfrage konnte nicht abgeschlossen werden: { $error }
files-share-no-response = Der Freigabedienst hat nicht geantwortet: { $error }
files-share-response-too-large = Der Freigabedienst hat eine übergroße Antwort geliefert
files-share-response-truncated = Die Freigabeantwort wurde abgeschnitten: { $error }
files-share-response-invalid = Ungültige Antwort des Freigabediensts: { $error }
files-share-refused = Der Freigabedienst hat die Anfrage abgelehnt ({ $code })
files-received-refused = Der Empfangsdienst hat den Link abgelehnt ({ $code })
files-received-retry-refused = Der Empfangsdienst konnte den Vorgang nicht wiederholen ({ $code })
files-received-wrong-response = Der Empfangsdienst hat die falsche Antwort geliefert
files-received-runtime-failed = Der Empfangs-Client konnte nicht gestartet werden: { $error }
files-received-encode-failed = Die Empfangsanfrage konnte nicht kodiert werden
files-received-request-too-large = Die Empfangsanfrage überschreitet ihre Grenze
files-received-unavailable = Der Empfangsdienst ist nicht erreichbar
files-received-no-response = Der Empfangsdienst hat nicht geantwortet
files-received-response-too-large = Der Empfangsdienst hat eine übergroße Antwort geliefert
files-received-response-truncated = Die Antwort des Empfangsdiensts wurde abgeschnitten
files-received-response-invalid = Der Empfangsdienst hat eine ungültige Antwort geliefert
files-received-not-available = Der Empfangsdienst ist nicht verfügbar
files-received-fd-clone-failed = Der Deskriptor des Empfangsdiensts konnte nicht dupliziert werden
files-received-fd-invalid = Der Deskriptor des Empfangsdiensts ist ungültig
files-received-file = Geteilte Datei empfangen
files-received-mount-starting = Geteilte Datei zugelassen; das Einhängen beginnt
files-received-admitted = Geteilte Datei zugelassen
files-received-link-read-failed = Der Link zur geteilten Datei konnte nicht gelesen werden
files-received-link-too-large = Der Link zur geteilten Datei überschreitet seine Grenze
files-received-link-invalid-text = Der Link zur geteilten Datei ist kein gültiger Text
files-received-link-empty = Der Link zur geteilten Datei ist leer

## Anwendungsrahmen und Navigation

files-app-title = Files
files-back = Zurück
files-forward = Vorwärts
files-up = Eine Ebene nach oben
files-view-list = Liste
files-view-grid = Raster
files-sort-by = Sortieren nach
files-view-options = Ansichtsoptionen
files-path-placeholder = Pfad eingeben, z. B. ~/Dokumente
files-place-home = Persönlicher Ordner
files-place-favourites = Favoriten
files-place-favorites = Favoriten
files-place-system = System
files-place-root = Stammverzeichnis
files-place-trash = Papierkorb
files-place-workspace = Arbeitsbereich
files-place-documents = Dokumente
files-place-downloads = Downloads
files-place-pictures = Bilder
files-place-music = Musik
files-place-videos = Videos

## Liste, Leer-/Fehlerzustand und Barrierefreiheit

files-column-name = Name
files-column-size = Größe
files-column-modified = Geändert
files-try-again = Erneut versuchen
files-loading = Wird geladen…
files-loading-folder = { $path } wird geladen…
files-loading-title = Ordner wird geöffnet
files-loading-detail = { $path } wird gelesen…
files-directory-read-failed = Dieser Ordner konnte nicht geöffnet werden: { $error }
files-load-error-title = Dieser Ordner konnte nicht geöffnet werden
files-load-error-detail = { $error } · { $path }
files-a11y-load-error = Ordner konnte nicht geladen werden: { $error }. „Erneut versuchen“ ist verfügbar
files-a11y-panel-details = { $title }. { $summary }. { $details }. Zum Schließen drücken Sie Esc
files-a11y-dialog-close = { $summary }. Zum Schließen drücken Sie Esc
files-a11y-activity = Files-Aktivität
files-a11y-current-folder = Aktueller Ordner: { $path }
files-a11y-places = Orte
files-a11y-favourite = Favorit
files-a11y-system-location = Systemort
files-a11y-place-description = { $section }, { $path }
files-a11y-breadcrumbs = Pfadnavigation
files-a11y-current-breadcrumb = Aktueller Ordner, { $path }. Zum Bearbeiten des Pfads drücken Sie die Eingabetaste
files-a11y-open-folder = { $path } öffnen
files-empty-trash = Der Papierkorb ist leer
files-empty-folder = Dieser Ordner ist leer
files-item-count = { $count } { $count ->
        [one] Element
       *[other] Elemente
    }
files-selected-count = { $base }  ·  { $count } ausgewählt
files-a11y-list = Dateien
files-a11y-folder = Ordner
files-a11y-file = Datei, { $size }
files-new-name-placeholder = Neuer Name

## Eigenschaften

files-property-type = Typ: { $type }
files-property-location = Ort: { $location }
files-property-size = Größe: { $size }
files-property-modified = Geändert: { $time }
files-property-dimensions = Abmessungen: { $width } × { $height } px
files-property-duration = Dauer: { $duration }
files-property-pages = Seiten: { $count }
files-property-codec = Codec: { $codec }
files-property-container = Container: { $container }
files-property-unknown = Unbekannt
files-properties-title = Eigenschaften — { $name }
files-properties-summary = Dateisystem-Metadaten

## Ergebnisse gewöhnlicher Vorgänge

files-new-folder-default-name = Neuer Ordner
files-created-folder = Ordner erstellt
files-new-folder-failed = Ordner konnte nicht erstellt werden: { $error }
files-permanently-deleted = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } endgültig gelöscht
files-delete-failed = Löschen fehlgeschlagen: { $error }
files-moved-to-trash = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } in den Papierkorb verschoben
files-restored = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } wiederhergestellt
files-undo-move-trash = Verschieben in den Papierkorb rückgängig machen
files-undo-trash-restored = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } wiederhergestellt
files-undo-trash-unavailable = Rückgängig ist nicht mehr möglich, weil sich der Papierkorb geändert hat
files-undo-trash-failed = Die in den Papierkorb verschobenen Elemente konnten nicht wiederhergestellt werden: { $error }
files-restore-failed = Wiederherstellen fehlgeschlagen: { $error }
files-trash-already-empty = Der Papierkorb ist bereits leer
files-emptied-trash = Papierkorb geleert ({ $count })
files-empty-trash-failed = Leeren des Papierkorbs fehlgeschlagen: { $error }
files-copied = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } kopiert
files-cut = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } ausgeschnitten
files-created-file = Datei erstellt
files-new-file-failed = Datei konnte nicht erstellt werden: { $error }
files-added-favourite = Zu Favoriten hinzugefügt
files-removed-favourite = Aus Favoriten entfernt
files-moved-with-failures = { $moved } nach „{ $destination }“ verschoben ({ $failed } fehlgeschlagen)
files-moved-to-folder = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } nach „{ $destination }“ verschoben
files-nothing-to-move = Nichts zu verschieben
files-pasted = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } eingefügt
files-pasted-with-failures = { $count } eingefügt ({ $failed } fehlgeschlagen)
files-renamed = Umbenannt
files-rename-failed = Umbenennen fehlgeschlagen: { $error }

## Kontext-, Ansichts- und Sortiermenüs

files-menu-open = Öffnen
files-action-reveal = In Files anzeigen
files-menu-restore = Wiederherstellen
files-menu-delete-permanently = Endgültig löschen
files-menu-empty-trash = Papierkorb leeren
files-menu-rename = Umbenennen
files-action-rename-prompt = Geben Sie einen neuen Namen ein
files-menu-cut = Ausschneiden
files-menu-copy = Kopieren
files-menu-properties = Eigenschaften…
files-menu-paste = Einfügen
files-menu-new-folder = Neuer Ordner
files-menu-new-file = Neue Datei  ›
files-menu-move-trash = In den Papierkorb verschieben
files-menu-add-favourite = Zu Favoriten hinzufügen
files-menu-remove-favourite = Aus Favoriten entfernen
files-menu-hide-hidden = Versteckte Dateien ausblenden
files-menu-show-hidden = Versteckte Dateien anzeigen
files-menu-sort-name = Nach Name sortieren
files-menu-sort-size = Nach Größe sortieren
files-menu-sort-type = Nach Typ sortieren
files-menu-sort-date = Nach Datum sortieren
files-menu-open-terminal = Terminal hier öffnen
files-sort-name = Name
files-sort-size = Größe
files-sort-type = Typ
files-sort-date = Datum
files-sort-ascending = Aufsteigend
files-sort-descending = Absteigend
files-new-from-template = Neu: { $name }
files-drag-items = { $count } Elemente

## Archive

files-archive-extract = Archiv entpacken…
files-archive-extract-here = Hier entpacken
files-archive-compress = Als ZIP komprimieren
files-archive-select-compress = Wählen Sie Dateien oder Ordner zum Komprimieren aus
files-archive-read-only = Archive sind schreibgeschützt, bis sie entpackt werden
files-archive-open-after-extract = Entpacken Sie dieses Archiv, um darin enthaltene Dateien zu öffnen oder zu bearbeiten
files-archive-select = Wählen Sie ein ZIP-, TAR- oder TAR.GZ-Archiv zum Entpacken aus
files-archive-extracted = { $count } { $count ->
        [one] Datei
       *[other] Dateien
    } entpackt
files-archive-extracted-partial = { $count } Dateien entpackt; { $failures }
files-archive-extract-failed = Archiv konnte nicht entpackt werden: { $error }
files-archive-created = { $name } erstellt
files-archive-create-failed = Archiv konnte nicht erstellt werden: { $error }

## Prüfung von Dateivorgängen

files-folder-name-empty = Der Ordnername darf nicht leer sein
files-folder-name-slash = Der Ordnername darf kein '/' enthalten
files-name-empty = Der Name darf nicht leer sein
files-name-slash = Der Name darf kein '/' enthalten
files-no-parent = Kein übergeordneter Ordner
files-name-exists = „{ $name }“ ist bereits vorhanden
files-destination-inspect-failed = „{ $path }“ kann nicht geprüft werden: { $error }
files-destination-names-exhausted = Zu viele Dateien mit dem Namen „{ $name }“ in „{ $path }“. Wählen Sie einen anderen Namen oder Ordner.
files-source-no-name = Die Quelle hat keinen Dateinamen
files-menu-send-nearby = An Gerät in der Nähe senden…
files-action-send-nearby-device = An { $device } senden
files-nearby-send-to-device = An { $device } senden
files-nearby-select-one = Wählen Sie eine Datei oder einen Ordner zum Senden aus.
files-nearby-loading-devices = Ihre zertifizierten Geräte werden gesucht…
files-nearby-no-devices = Keine zertifizierten Geräte sind online.
files-nearby-choose-device = Wählen Sie ein zertifiziertes Gerät.
files-nearby-queueing = Sicheres Nearby Send wird vorbereitet…
files-nearby-accepted = Nearby Send angenommen.
files-nearby-declined = Nearby Send abgelehnt.
files-nearby-cancelled = Nearby Send abgebrochen.
files-nearby-retrying = Nearby Send wird wiederholt…
files-nearby-accept = Annehmen
files-nearby-retry = Wiederholen
files-nearby-consent-detail = Es wird nichts gespeichert, bis Sie genau diese Übertragung annehmen.
files-nearby-retry-detail = Die Quelle ist weiterhin verfügbar, daher kann diese fortsetzbare Übertragung sicher wiederholt werden.
files-nearby-offer-title = Nearby Send von { $device }
files-nearby-offer-summary = Möchte Ihnen „{ $name }“ senden.
files-nearby-offer-size = Übertragungsgröße: { $bytes } Bytes
files-nearby-failed-title = Nearby Send fehlgeschlagen
files-nearby-failed-device = Zertifiziertes Gerät: { $device }
files-nearby-choose-destination = Speicherort wählen
files-nearby-no-destinations = Es ist kein genehmigter, beschreibbarer Arbeitsbereichsordner verfügbar.
files-nearby-destination-count = Wählen Sie aus { $count } genehmigten Zielen.
files-nearby-save-to-destination = In { $destination } speichern
files-nearby-save-and-remember = In { $destination } speichern und für diese Sitzung verwenden
files-share-not-available = Der Freigabedienst ist auf diesem Host nicht verfügbar
files-name-invalid = Geben Sie einen gültigen Datei- oder Ordnernamen ein
