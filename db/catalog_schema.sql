-- Central catalogue: the upgrade scripts of every programme and the FTP
-- passwords of the update server.
--
-- Text columns use utf8mb4_general_ci, the case-insensitive collation a
-- MySQL or MariaDB catalogue gets by default. The updater compares and
-- orders versions and tests the release flag through this collation: a
-- release flag of 's' counts as 'S', a programme code matches whatever its
-- letter case, trailing blanks are ignored, and versions sort as text
-- ("10" before "9"), so versions must be written with a fixed number of
-- digits.

CREATE TABLE scripts (
  -- Rows may share a (programa, versao) pair; the updater then uses the
  -- first one the catalogue returns, which is the one added first.
  id       INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  programa VARCHAR(20) NOT NULL,
  versao   VARCHAR(10) NOT NULL,
  data     DATE NULL,
  -- The script text: bytes of the Windows ANSI code page, lines ended by
  -- CR LF, lone CR or lone LF.
  texto    MEDIUMBLOB NOT NULL,
  -- 'S' releases the script; any other value keeps it out of every update.
  liberado CHAR(1) NOT NULL DEFAULT 'N',
  -- The maker's Ed25519 signature of (programa, versao, texto) in hex
  -- (tools/kelvo-sign script prints it). An updater built with the maker's
  -- keys runs no script without a valid one; one built without keys never
  -- reads this column.
  assinatura VARCHAR(128) NULL,
  -- No further column in this key: rows of one pair must come back in the
  -- order they were added (InnoDB appends the primary key), whatever their
  -- release flag, so that a draft filed later never replaces released text.
  KEY scripts_programa_versao (programa, versao)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE principal (
  id         INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
  -- FTP passwords in scrambled form: a key digit, then every character
  -- raised by three times the key (tools/kelvo-scramble --ftp prints the
  -- value to store).
  senha_ftp  VARCHAR(64) NULL,
  senha_ftp2 VARCHAR(64) NULL
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
